// A language file for tests: every identifier of the program's list with
// the text "T" + identifier (so each caption shows which text it got), in a
// temporary program folder that becomes appState().appFolder with the
// language "Test" in use.
#pragma once

#include "exercise/AppState.h"
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tastolino::testing {

class TestLanguageFile {
  public:
    // `except` lists identifiers the file leaves out.
    explicit TestLanguageFile(const QStringList& except = {}) {
        QByteArray bytes = "[Strings]\r\nInfoAuthor=Test Author\r\nMailAuthor=t@example.org\r\n";
        for (const InterfaceText& text : InterfaceTexts())
            if (!except.contains(QLatin1String(text.id)))
                bytes += QByteArray(text.id) + "=T" + text.id + "\r\n";
        QDir(folder_.path()).mkpath(QStringLiteral("Lang"));
        QFile file(folder_.path() + QStringLiteral("/Lang/Test.lng"));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the test language file");
        file.write(bytes);
        file.close();
        AppState& state = appState();
        state.appFolder = folder_.path() + QLatin1Char('/');
        setInterfaceFolder(state.appFolder);
        setInterfaceLanguageName(QStringLiteral("Test"));
        setInterfaceLanguageFileActive(true);
    }
    QString folder() const { return folder_.path() + QLatin1Char('/'); }

  private:
    QTemporaryDir folder_;
};

// "T" + the identifier: what the test language file holds for it.
inline QString T(const char* id) {
    return QStringLiteral("T") + QLatin1String(id);
}

}  // namespace tastolino::testing
