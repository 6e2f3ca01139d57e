#include "DlgAbout.h"

#include <memory>

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(QWidget* owner) : QDialog(owner) {}

TFormAbout::~TFormAbout() = default;

namespace {

// Clears the module reference before the dialog goes, however the modal loop ended.
class FormAboutReset {
public:
    ~FormAboutReset() { FormAbout = nullptr; }
};

} // namespace

void runAboutCommand(QWidget* owner) {
    std::unique_ptr<TFormAbout> dialog = std::make_unique<TFormAbout>(owner);
    FormAboutReset reset;
    FormAbout = dialog.get();
    dialog->exec();
}
