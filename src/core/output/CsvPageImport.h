#pragma once

#include "output/CsvImportError.h"
#include "output/CsvReader.h"

#include <string>
#include <vector>

namespace kq70 {

class HDialog;
struct PageControl;

// A parameter section of an import: each row "caption, shown value" sets the page's control
// of that caption to the entry (or the number, or the text) with that text, as a user would
// choose it; a value the page already shows changes nothing. OK stores the page; afterwards
// every changed entry must read as the file asks.
class CsvPageImport {
public:
    // `page` is open (OnInitDialog has run).
    CsvPageImport(HDialog& page, std::vector<CsvImportError>& errors);

    // Sets the rows' values; true when any entry changed (the caller then presses OK).
    bool set(const std::vector<CsvRow>& rows);
    // After OK, against the page opened again: the changed entries kept their values.
    void verify(const HDialog& reopened);

    // Whether `value` is what the control shows now, allowing for a spreadsheet's way with
    // numbers ("16.8" for "16.80") and case in upper-casing edits.
    static bool shows(const HDialog& page, const PageControl& control, const std::string& value);
    static const PageControl* controlOf(const HDialog& page, const std::string& caption);

private:
    struct Change {
        int line = 0;
        int id = 0;
        std::string caption;
        std::string value;
    };
    enum class Outcome { Set, Waiting, Refused };

    Outcome trySet(const Change& change);
    Outcome tryCombo(const Change& change, const PageControl& control);
    Outcome tryEdit(const Change& change, const PageControl& control);
    void reportWaiting(const Change& change);
    void error(const Change& change, std::string reason);

    HDialog& m_page;
    std::vector<CsvImportError>& m_errors;
    std::vector<Change> m_set;
};

} // namespace kq70
