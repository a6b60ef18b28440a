// The seams that need the desktop: modal windows, the printer, the opener
// of files and links, the save dialog and the screen size.
#include "platform/Seams.h"
#include "platform/SeamsRegistry.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QScreen>

namespace tastolino::seams {

using registry::state;

int execModal(QDialog* dialog) {
    if (state().modalHook) return state().modalHook(dialog);
    return dialog->exec();
}

void setModalHook(ModalHook hook) {
    state().modalHook = std::move(hook);
}

bool printerAvailable() {
    if (state().printerHook) return state().printerHook();
    return !QPrinterInfo::defaultPrinter().isNull();
}

void setPrinterAvailableHook(std::function<bool()> hook) {
    state().printerHook = std::move(hook);
}

bool openUrl(const QUrl& url) {
    if (state().openUrlHook) return state().openUrlHook(url);
    return QDesktopServices::openUrl(url);
}

void setOpenUrlHook(std::function<bool(const QUrl&)> hook) {
    state().openUrlHook = std::move(hook);
}

QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                     const QString& filter) {
    if (state().saveFileHook) return state().saveFileHook(suggested);
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

void setSaveFileHook(std::function<QString(const QString&)> hook) {
    state().saveFileHook = std::move(hook);
}

QSize screenSize() {
    if (state().screenHook) return state().screenHook();
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->size();
    return {};
}

void setScreenSizeHook(std::function<QSize()> hook) {
    state().screenHook = std::move(hook);
}

}  // namespace tastolino::seams
