#pragma once

// The main window. Data flow: a user event on a control -> the Qt connection of the event
// table -> a core handler, given the program-wide CompositionState and this window as its
// MainWindowSurface -> the handler updates the record and shows the result through the
// surface operations below, which write the widgets. The window holds no logic of its own
// beyond the data exchange of its accept action.

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <map>

#include "core/composition_state.h"
#include "core/surface.h"
#include "qt/readme.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zerkan {

class ResultBox;

class MainDialog final : public QDialog, public MainWindowSurface {
    Q_OBJECT

  public:
    // The record belongs to the caller and outlives the window; the window neither creates
    // nor resets it.
    explicit MainDialog(CompositionState& state, QWidget* parent = nullptr);
    ~MainDialog() override;

    // MainWindowSurface
    void SetText(ControlId control, std::string_view text) override;
    Text GetText(ControlId control) const override;
    void SelectEntry(ControlId picker, int index) override;
    int GetSelection(ControlId picker) const override;
    void MatchTypedText(ControlId picker) override;
    void SetCountValue(int value) override;
    int ReadCountValue() const override;
    void LimitCountLength(int maxLength) override;
    void SetVisible(ControlId control, bool visible) override;
    void PushBoundValues() override;
    void PlaceCaret(ControlId box, int position) override;
    void ShowMessage(std::string_view text) override;

    // Load (save = false): writes the bound values into their controls with every
    // notification held back. Save: reads and checks them in binding order; at the first
    // failure tells the user why, selects the failing control's text and returns false.
    bool DoDataExchange(bool save);

    // Enter in a field: the save-direction exchange, and the dialog ends only if it succeeds.
    void AcceptAction();
    // Yardım > "Hakkında" and the system menu's About entry.
    void OnAbout();
    // Yardım > "Yardım" and F1.
    void OnReadMe();
    void SetReadMeLauncher(ReadMeLauncher launcher);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void CreateMenu();
    void ConnectHandlers();
    void OnInitDialog();

    QWidget* Control(ControlId id) const;
    QComboBox* Picker(ControlId id) const;
    ResultBox* Box(ControlId id) const;
    // Forgets a picker's selected entry and keeps the text the user is typing.
    void ForgetSelection(QComboBox* picker);
    void WriteCountField(const QString& text, bool notify);
    void ApplyCountLimit();
    void RunCountChanged();
    void FailExchange(std::string_view message, QWidget* control);

    CompositionState& state_;
    QWidget* clientArea_ = nullptr;
    std::map<ControlId, QWidget*> byId_;
    ReadMeLauncher readMeLauncher_;
    int countLimit_ = 0;  // 0: not limited yet
    bool classNamed_ = false;
    QPointer<QDialog> about_;

    // The controls, named as the handlers know them.
    QLabel* StepPrompt = nullptr;
    ResultBox* ContentsBox = nullptr;
    QLabel* ProtonLine = nullptr;
    QComboBox* SymbolPicker = nullptr;
    QComboBox* NamePicker = nullptr;
    QLineEdit* CountField = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* ResetButton = nullptr;
    QIcon windowIcon;
    QComboBox* NumberPicker = nullptr;
    ResultBox* FormulaBox = nullptr;
    QLabel* PeriodGroupLine = nullptr;
    QLabel* KindLine = nullptr;
    QLabel* AtomicMassLabel = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* SearchButton = nullptr;
    QLabel* AtomicMassValue = nullptr;
    QLineEdit* MolecularMassBox = nullptr;
};

}  // namespace zerkan
