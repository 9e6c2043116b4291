#include "output/CsvChannelEditor.h"

#include "output/ChannelListing.h"

#include <map>
#include <utility>

namespace kq70 {

// A grid no one sees: it keeps only what the view reads back (its size, the current cell and
// a chosen drop-down entry).
class CsvChannelEditor::Grid : public HGridControl {
public:
    int rowCount() const override { return m_rows; }
    void setRowCount(int rows) override { m_rows = rows; }
    int columnCount() const override { return m_columns; }
    void setColumnCount(int columns) override { m_columns = columns; }
    int fixedRows() const override { return m_fixedRows; }
    void setFixedRows(int rows) override { m_fixedRows = rows; }
    int fixedColumns() const override { return m_fixedColumns; }
    void setFixedColumns(int columns) override { m_fixedColumns = columns; }

    void setTopRow(int /*row*/) override {}
    int row() const override { return m_row; }
    void setRow(int row) override { m_row = row; }
    int column() const override { return m_column; }
    void setColumn(int column) override { m_column = column; }
    void setRedraw(bool /*on*/) override {}
    int mouseRow() const override { return m_row; }

    std::string textMatrix(int /*row*/, int /*column*/) const override { return {}; }
    void setTextMatrix(int /*row*/, int /*column*/, const std::string& /*text*/) override {}
    void setCellBackColour(std::uint32_t /*rgb*/) override {}
    void setCheckCell(int /*row*/, int /*column*/, bool /*enabled*/, bool /*ticked*/) override {}

    std::string clip() const override { return {}; }
    Selection getSelection() const override { return {m_row, m_column, m_row, m_column}; }
    std::string editText() const override { return {}; }
    void setEditState(int /*state*/) override {}
    void setEditMaxLength(int /*length*/) override {}
    void setMergeRow(int /*row*/, bool /*merge*/) override {}

    void setColumnComboList(int /*column*/, const std::string& /*list*/) override {}
    std::string comboData(int column) const override {
        const auto it = m_comboData.find(column);
        return it == m_comboData.end() ? std::string() : it->second;
    }
    void setColumnHidden(int /*column*/, bool /*hidden*/) override {}
    std::uint32_t foreColour() const override { return 0xFFFFFF; }

    void setComboData(int column, std::string data) { m_comboData[column] = std::move(data); }

private:
    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_row = 0;
    int m_column = 0;
    std::map<int, std::string> m_comboData;
};

// Choosers that answer once with what the file asks for, and cancel otherwise.
class CsvChannelEditor::Choosers : public ChannelChoosers {
public:
    std::optional<int> pmrAnswer;
    std::optional<Tone> toneAnswer;

    std::optional<int> choosePmrChannel(int /*preset*/) override {
        return std::exchange(pmrAnswer, std::nullopt);
    }
    std::optional<Tone> chooseTone(const Tone& /*current*/) override {
        return std::exchange(toneAnswer, std::nullopt);
    }
    std::optional<int> chooseSignalNumber(int /*type*/, int /*preset*/) override {
        return std::nullopt;
    }
};

CsvChannelEditor::CsvChannelEditor(RadioImage& image, int accessMode, UserPrompt& prompt)
    : m_grid(std::make_unique<Grid>()), m_choosers(std::make_unique<Choosers>()),
      m_accessMode(accessMode),
      m_view(std::make_unique<CKQ70View>(*m_grid, prompt, *m_choosers, m_accessMode, m_settings)) {
    m_view->SetModifiedHandler([this] { m_changed = true; });
    m_view->OnUpdate(image);
    m_changed = false; // the view stored what it read
}

void CsvChannelEditor::commit() {
    if (m_changed) {
        m_view->OnSaveData();
        m_changed = false;
    }
}

void CsvChannelEditor::reload() {
    m_view->OnUpdateData(false);
    m_changed = false;
}

CsvChannelEditor::~CsvChannelEditor() = default;

std::string CsvChannelEditor::cellText(int channel, int column) const {
    if (ChannelCellTexts::isCheckColumn(column)) {
        return ChannelListing::flagText(ChannelCellTexts::ticked(data(), channel, column));
    }
    return ChannelCellTexts::cellText(data(), channel, column, textContext());
}

void CsvChannelEditor::showEveryGroup() {
    for (int group = 0; group < data().groupCount(); ++group) {
        if (data().isGroupUsed(group)) {
            m_view->SelectGroup(group);
        }
    }
}

bool CsvChannelEditor::goTo(int channel, int column) {
    const int group = data().groupOfChannel(channel);
    if (group < 0) {
        return false;
    }
    if (m_view->GetCurrentGroup() != group) {
        m_view->SelectGroup(group);
    }
    const int row = m_view->RowOfChannel(channel);
    m_grid->setRow(row);
    m_grid->setColumn(column);
    return row >= 0;
}

bool CsvChannelEditor::space(int channel, int column) {
    if (!goTo(channel, column)) {
        return false;
    }
    m_view->OnSpace();
    return true;
}

bool CsvChannelEditor::choosePmrChannel(int channel, int column, int pmrChannel) {
    if (!goTo(channel, column)) {
        return false;
    }
    m_choosers->pmrAnswer = pmrChannel;
    m_view->OnEnter();
    m_choosers->pmrAnswer.reset();
    return true;
}

bool CsvChannelEditor::chooseTone(int channel, int column, ChannelChoosers::Tone tone) {
    if (!goTo(channel, column)) {
        return false;
    }
    m_choosers->toneAnswer = tone;
    m_view->OnEnter();
    m_choosers->toneAnswer.reset();
    return true;
}

void CsvChannelEditor::dcsComplement(int channel) {
    if (goTo(channel, COL_DECODE)) {
        m_view->OnF3();
    }
}

bool CsvChannelEditor::edit(int channel, int column, const std::string& text) {
    if (!goTo(channel, column)) {
        return false;
    }
    const int row = m_grid->row();
    if (!m_view->beforeEdit(row, column) || !m_view->validateEdit(row, column, text)) {
        return false;
    }
    m_view->afterEdit(row, column);
    return true;
}

bool CsvChannelEditor::choose(int channel, int column, int itemData) {
    if (!goTo(channel, column)) {
        return false;
    }
    const int row = m_grid->row();
    if (!m_view->beforeEdit(row, column)) {
        return false;
    }
    m_grid->setComboData(column, std::to_string(itemData));
    m_view->afterEdit(row, column);
    return true;
}

} // namespace kq70
