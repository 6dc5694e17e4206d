// Draws the window "Notas recebidas" offscreen over the catalogue of VELLORA_CATALOGO and
// writes the picture to the PNG file given, for the documentation
// (scripts/take-notes-screenshot): the whole period of the company given, a summary selected
// so that the detail pane shows what it needs.
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QTableView>
#include <cstdlib>
#include <iostream>

#include "inbox/notes_window.h"
#include "tests/inbox/notes_window_fakes.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::getenv("VELLORA_CATALOGO") == nullptr) {
        std::cerr << "Use: VELLORA_CATALOGO=FILE inbox_notes_screenshot CNPJ PICTURE.png\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vellora-screenshots"));
    const dfe::SystemClock clock;
    inbox::FakeDialogs dialogs;
    inbox::NotesWindow window(
        {std::getenv("VELLORA_CATALOGO"), "vellora-dfe", {}, &clock, &dialogs});
    window.resize(1400, 640);
    window.findChild<QComboBox*>("periodo")->setCurrentIndex(static_cast<int>(inbox::Period::all));
    window.ChooseCompany(argv[1]);
    for (int row = 0; row < window.model().rowCount(); ++row) {
        if (!window.model().At(row).full) {
            window.table().selectionModel()->select(
                window.model().index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            break;
        }
    }
    window.show();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "Could not write " << argv[2] << "\n";
        return 1;
    }
    std::cout << "Captured " << argv[2] << " (" << window.model().rowCount() << " rows)\n";
    return 0;
}
