// The floor: what Qt itself costs to open a dialog with three filled, editable combo boxes
// (the program's three pickers, with the same 112 texts each) and to quit at the first turn
// of its event loop.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "core/surface.h"
#include "core/text.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    for (const auto picker : {zerkan::ControlId::NumberPicker, zerkan::ControlId::NamePicker,
                              zerkan::ControlId::SymbolPicker}) {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        QStringList entries;
        for (int i = 0; i < 112; ++i) {
            entries << QString::fromStdString(zerkan::ToUtf8(zerkan::PickerEntryText(picker, i)));
        }
        combo->addItems(entries);
        combo->setCurrentIndex(-1);
        layout->addWidget(combo);
    }

    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
    return 0;
}
