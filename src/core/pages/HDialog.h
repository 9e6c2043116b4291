#pragma once

#include "pages/ComboDefinition.h"
#include "pages/EditDefinition.h"
#include "pages/PageControl.h"
#include "ui/HelpTopics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kq70 {

class HParams;
class RadioImage;

// A parameter page. It binds combos and edits to values of parameter objects through their
// definitions, and always runs the same sequence: opening extracts the objects from the image
// and fills the controls; OK runs the page's checks, copies the controls back and stores the
// objects into the image; Cancel writes nothing. Pages add their controls in their
// constructor and override the slots only for the dependencies between controls.
class HDialog {
public:
    HDialog(std::string className, RadioImage& image, int accessMode);
    virtual ~HDialog() = default;
    HDialog(const HDialog&) = delete;
    HDialog& operator=(const HDialog&) = delete;

    // The modal run.
    void OnInitDialog();
    // True when the page closes (its values are stored); false keeps it open.
    bool OnOK();
    void OnCancel() {}

    // The user's changes. False when the control or entry does not exist or is disabled.
    bool SelectItemValue(int id, std::int32_t itemValue);
    bool SelectIndex(int id, int index);
    // Text typed into an edit: letters are upper-cased where the edit asks for it,
    // characters the filter refuses are dropped, the rest is cut to the edit's maximum
    // length.
    bool TypeText(int id, std::string_view typed);
    void SetFocus(int id);
    // The two panes of the prompt line.
    const std::pair<std::string, std::string>& GetPromptLine() const { return m_prompt; }

    const std::string& GetClassName() const { return m_className; }
    // The section of the help that explains the page.
    std::string_view GetHelpTopic() const { return m_helpTopic; }
    const std::vector<PageControl>& GetControls() const { return m_controls; }
    const PageControl* GetControl(int id) const;
    // The shown value of a control: a combo's selected text, an edit's text.
    std::string GetShownValue(int id) const;
    std::optional<std::int32_t> SelectedItemValue(int id) const;
    // An edit's definition (range, format, filter); nothing for any other control.
    const EditDefinition* GetEditDefinition(int id) const;

    // One entry of the page in the listing and the CSV export: the caption (the label without
    // ampersands) and the shown value. An entry without a caption has no line.
    struct ListingItem {
        std::string caption;
        std::string value;
        bool hasLine() const { return !caption.empty(); }
    };
    // The page's entries in the listing; by default the shown combos and edits.
    virtual std::vector<ListingItem> GetListingItems() const;
    // One entry per combo and edit in the order they were added, an empty one for a hidden
    // control, so the listing can pick a page's entries by position.
    std::vector<ListingItem> GetListingItemsByControl() const;
    // The entries as listing lines ("%5s%-23s:%-20s"), an empty line for an entry without one.
    std::vector<std::string> GetListingLines() const;
    static std::string ListingLine23(std::string_view label, std::string_view value);
    static std::string ListingLine29(std::string_view label, std::string_view value);
    static std::string ListingLine19(std::string_view label, std::string_view value);
    static std::string WithoutAmpersands(std::string_view label);

    // Formats a stored value as an edit of `definition` shows it.
    static std::string FormatEdit(const EditDefinition& definition, std::int32_t value);
    // Reads an edit's text back into stored units, rounded to the nearest unit and kept
    // within the definition's range; nothing when it is not a number.
    static std::optional<std::int32_t> ParseEdit(const EditDefinition& definition,
                                                 std::string_view text);

    // The characters an edit with `filter` keeps.
    static bool FilterAccepts(int filter, char ch);

protected:
    // The slots, in their order. The base versions do the generic work of the bindings; a
    // page that overrides one calls the base first.
    // The base versions extract and store every parameter object a control is bound to.
    virtual bool AcquireData();
    virtual bool InitCombo();
    virtual bool InitEdit();
    virtual bool InitStatic() { return true; }
    virtual bool InitCheck() { return true; }
    virtual bool InitOther() { return true; }
    virtual bool SetDataCombo();
    virtual bool SetDataEdit();
    virtual bool SetDataCheck() { return true; }
    virtual bool SetDataOther() { return true; }
    virtual bool SaveDataCombo();
    virtual bool SaveDataEdit();
    virtual bool SaveDataCheck() { return true; }
    virtual bool SaveDataOther() { return true; }
    virtual bool StoreData();
    // Cross-field checks before anything is saved; false keeps the page open.
    virtual bool CheckBeforeOk() { return true; }
    // A dependency between controls: called after the user changed a control.
    virtual void OnControlChanged(int /*id*/) {}
    // The prompt text of an id; nothing when there is none.
    virtual std::optional<std::string> PromptText(int promptId) const;

    PageControl& AddCombo(int id, std::string label, int promptId,
                          const ComboDefinition& definition, HParams& params, std::size_t index);
    PageControl& AddEdit(int id, std::string label, int promptId, const EditDefinition& definition,
                         HParams& params, std::size_t index);
    PageControl& AddStatic(int id, std::string label);

    PageControl* GetMutableControl(int id);
    // The working copy of a text combo's entry list; hide or show entries, then refill.
    std::vector<ComboEntry>* WorkingList(int id);
    // Rebuilds a combo's entries from its definition and selects `itemValue` (or the
    // fallback entry of item value 0, or nothing). While the page follows the user's change
    // of another control, a combo whose selection this moves is saved as it then shows.
    void RefillCombo(int id, std::int32_t itemValue);
    void SelectValue(PageControl& combo, std::int32_t itemValue);
    void SetVisible(int id, bool visible, bool enabled);

    void SetHelpTopic(std::string_view topic) { m_helpTopic = topic; }

    RadioImage& GetImage() { return m_image; }
    const RadioImage& GetImage() const { return m_image; }
    int GetAccessMode() const { return m_accessMode; }

private:
    struct Binding {
        const ComboDefinition* combo = nullptr;
        const EditDefinition* edit = nullptr;
        std::vector<ComboEntry> workingList;
        HParams* params = nullptr;
        std::size_t index = 0;
        bool userEdited = false;
        // A combo that opened without an entry for its stored value (it shows the fallback
        // entry, or none) writes the stored value back unchanged unless the user picks an
        // entry: often another page's value shares its bits.
        bool keepStored = false;
    };

    bool RunSlot(const char* operation, bool (HDialog::*slot)());
    void MarkCombosWithoutTheirValue();
    // The parameter objects the controls are bound to, each once, in binding order.
    std::vector<HParams*> GetBoundObjects() const;
    PageControl& AddBound(int id, ControlKind kind, std::string label, int promptId,
                          Binding binding);
    std::size_t IndexOf(int id) const;
    std::vector<ComboItem> BuildItems(const Binding& binding) const;

    std::string m_className;
    std::string_view m_helpTopic = help::PAGES;
    RadioImage& m_image;
    int m_accessMode;
    std::vector<PageControl> m_controls;
    std::vector<Binding> m_bindings;
    std::pair<std::string, std::string> m_prompt{" ", " "};
    bool m_userChange = false; // the page is following a change the user made
};

} // namespace kq70
