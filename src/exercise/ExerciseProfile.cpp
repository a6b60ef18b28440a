#include "exercise/ExerciseProfile.h"

#include "settings/IniManager.h"

namespace tastolino {
namespace {

IniManager open(const QString& file, const QString& section) {
    IniManager ini;
    ini.nome = file.toStdString();
    ini.sezione = section.toStdString();
    return ini;
}

}  // namespace

QString profileRead(const QString& file, const QString& section, const QString& key) {
    IniManager ini = open(file, section);
    return QString::fromStdString(ini.Leggi(key.toStdString(), std::string()));
}

bool profileWrite(const QString& file, const QString& section, const QString& key,
                  const QString& value) {
    IniManager ini = open(file, section);
    return ini.Scrivi(key.toStdString(), value.toStdString()) != 0;
}

bool profileDeleteSection(const QString& file, const QString& section) {
    IniManager ini = open(file, section);
    return ini.CancellaSezione() != 0;
}

}  // namespace tastolino
