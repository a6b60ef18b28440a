#include "exercise/ExerciseEngine.h"

#include "exercise/AppState.h"
#include "exercise/ExerciseKeys.h"
#include "exercise/MessageTable.h"
#include "exercise/Scoring.h"
#include "platform/BlankTrim.h"
#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/Wait.h"
#include "settings/InterfaceTexts.h"
#include "settings/SafeFileQt.h"
#include "text/Cp1252.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <limits>

namespace tastolino {
namespace {

const QString kTitle = QStringLiteral("Tastolino");

ExerciseResults& results() {
    return appState().results;
}

// Line breaks of a text file become single blanks (none after a blank).
// Files written on other systems end their lines with LF or CR alone;
// those are line breaks too, or the learner would meet untypeable
// characters at every line end.
QString joinLines(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < raw.size() && raw[i + 1] == QLatin1Char('\n'))
                ++i;
            if (out.isEmpty() || out.back() != QLatin1Char(' ')) out += QLatin1Char(' ');
            continue;
        }
        out += c;
    }
    return out;
}

// A tab is a blank; other control characters, which no key types and
// which show as boxes, are left out.
QString withoutControls(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (QChar c : raw) {
        const char16_t u = c.unicode();
        if (u == u'\t')
            out += QLatin1Char(' ');
        else if (u == u'\r' || u == u'\n' || !(u < 0x20 || (u >= 0x7F && u <= 0x9F)))
            out += c;
    }
    return out;
}

// The keystroke counters are 16-bit: a key held down long enough would
// carry them past 32767 into negative numbers (and the face back to good),
// so they stop at their largest value.
template <typename Counter>
void countOne(Counter& counter) {
    if (counter < std::numeric_limits<int16_t>::max()) ++counter;
}

}  // namespace

EngineLayout EngineLayout::forScreen(bool largeScreen) {
    EngineLayout l;
    if (largeScreen) {
        l.counterSeparator = QStringLiteral(" / ");
        l.barFullWidth = 390;
        l.freeTextFontSize = 24;
        l.sentenceFontSize = 16;
    }
    return l;
}

ExerciseEngine::ExerciseEngine(EngineView& view, QObject* parent)
    : QObject(parent),
      view_(view),
      texts_{defaultMessages(), defaultPraiseGood(), defaultPraiseGreat(),
             ItalianText(QStringLiteral("9028")), QString()} {
    // Children of the engine, so that the window owning the engine finds
    // them by name; as members they are gone before the engine's children
    // are deleted.
    Timer1.setParent(this);
    Timer2.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(200);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer2.setInterval(400);
    connect(&Timer1, &QTimer::timeout, this, &ExerciseEngine::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &ExerciseEngine::Timer2_Timer);
    bestBarWidth_ = layout_.barFullWidth;
}

void ExerciseEngine::UseTexts(const EngineTexts& texts) {
    texts_ = texts;
    sources_.bookmarkFailedText = texts.bookmarkFailed;
}

void ExerciseEngine::UseLayout(const EngineLayout& layout) {
    layout_ = layout;
    bestBarWidth_ = layout_.barFullWidth;
}

void ExerciseEngine::SetRecorder(std::function<void(const SentenceRecord&)> record) {
    recordSentence_ = std::move(record);
}

void ExerciseEngine::ResetForFirstExercise() {
    restartPending_ = false;
    sources_.courseMode = false;
    textPos_ = 0;
    levelScoreSum_ = 0;
}

void ExerciseEngine::SetHighlight(bool on) {
    highlightOn_ = on;
}

void ExerciseEngine::Stop() {
    ended_ = true;
    Timer1.stop();
    Timer2.stop();
}

QString ExerciseEngine::message(Message slot) const {
    return messageText(texts_.messages, slot);
}

QChar ExerciseEngine::typedChar(int keyAscii) const {
    if (keyAscii >= 0 && keyAscii < 256) return QChar(char16_t(cp1252::toUnicode(uchar(keyAscii))));
    return lastTyped_;
}

void ExerciseEngine::dispatchEvents() {
    QCoreApplication::processEvents();
}

void ExerciseEngine::endProgram() {
    ended_ = true;
    Timer1.stop();
    Timer2.stop();
    clockOn_ = false;
    view_.unloadMainWindow();
}

void ExerciseEngine::showCounters() {
    const QString sep = layout_.counterSeparator;
    view_.setCorrectCounter(QString::number(sentenceCorrect_) + sep +
                            QString::number(results().correctCount));
    view_.setWrongCounter(QString::number(sentenceErrors_) + sep +
                          QString::number(results().errorCount));
}

// --- Start of a sentence ----------------------------------------------------

void ExerciseEngine::StartSentence() {
    if (ended_) return;
    AppState& st = appState();
    view_.inputStateChanged();
    view_.prepareForSentence();
    view_.setAboutEnabled(false);
    exerciseRunning_ = true;
    view_.RedrawKeyboard();
    view_.setClockText(QStringLiteral("00:00"));
    view_.setProgressWidth(0);
    view_.setUnderline(0, 0);
    st.freeTextMode = sources_.textFileChosen;
    st.results.freeTextElapsedDays = 0;
    dispatchEvents();
    view_.setLevelPanelVisible(false);
    view_.setSourceMenuVisible(false);

    if (sources_.selectedSource != SourceInternal) sources_.ResolveListFile();

    PrepareNextSentence();
    if (ended_) return;

    if (restartPending_) {
        resetForNewExercise();
        if (sources_.courseMode) {
            view_.setSourceMenuVisible(true);
            sources_.SelectNextCourseEntry();
            view_.sourcesChanged(sources_);
            view_.setStartEnabled(true);
            FlashBotton();
            view_.focusKeyboard();
        } else {
            if (sources_.hasFileSources) view_.setSourceMenuVisible(true);
            view_.setLevelPanelVisible(true);
            view_.setGameOptionEnabled(false);
            view_.showWelcome();
            view_.setGameOptionEnabled(true);
        }
        view_.inputStateChanged();
        return;
    }

    const QString& text = st.results.exerciseText;
    if (st.freeTextMode) {
        view_.setDisplayLayout(true, layout_.freeTextFontSize);
        displayStart_ = 0;
        displayText_ = text.left(35);
        view_.setSentenceText(displayText_);
        view_.setCorrectCounter(QStringLiteral("0"));
        view_.setWrongCounter(QStringLiteral("0"));
        view_.setSentenceNumber(QString());
        firstOfLevel_ = true;
        st.results.currentLevel = 3;
        st.results.spaceCount = 0;
        view_.setWindowTitle(kTitle + QStringLiteral("  - ") + texts_.fileWord +
                             QStringLiteral(": ") + QFileInfo(st.results.exerciseFile).fileName());
        progressPerChar_ =
            text.isEmpty() ? 0.f : float(double(view_.progressFullWidth()) / double(text.size()));
        view_.setProgressVisible(true);
    } else {
        view_.setDisplayLayout(false, layout_.sentenceFontSize);
        displayText_ = text;
        displayText_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        view_.setSentenceText(displayText_);
        view_.setProgressVisible(false);
        sentenceCorrect_ = sentenceErrors_ = 0;
        showCounters();
        if (sentenceNo_ == 1 || sentenceNo_ == 6 || sentenceNo_ == 11) {
            bestBarWidth_ = layout_.barFullWidth;
            view_.ResetBestBar(bestBarWidth_, levelOfSentence(sentenceNo_));
            firstOfLevel_ = true;
        }
    }

    view_.setKey37Enabled(false);
    view_.hideMessage();
    sentenceDone_ = false;
    if (seams::capsLockOn()) seams::switchCapsLockOff();
    view_.setInputLocked(false);
    inputText_.clear();
    view_.setInputText(inputText_);
    view_.focusInput();
    speedBarWidth_ = 0;
    view_.setSpeedBarWidth(0);
    view_.setStartEnabled(false);
    sentenceCorrect_ = sentenceErrors_ = 0;
    tally_.clear();
    playSoundIfOn(Sound::Start);
    AdvanceCursor(true);
    view_.inputStateChanged();
}

void ExerciseEngine::resetForNewExercise() {
    ExerciseResults& r = results();
    view_.setAboutEnabled(true);
    view_.setKey37Enabled(true);
    view_.clearFace();
    restartPending_ = false;
    r.exerciseFile.clear();
    displayText_.clear();
    view_.setSentenceText(QString());
    view_.setDisplayLayout(false, layout_.sentenceFontSize);
    view_.hideMessage();
    view_.setInputLocked(true);
    inputText_.clear();
    view_.setInputText(inputText_);
    textPos_ = 0;
    // The text is gone, and with it the character it expected.
    expectedChar_.clear();
    view_.clearExpectedChar();
    if (highlightOn_) view_.HideHighlights();

    view_.setLamps(0);
    for (int i = 0; i < 3; ++i) view_.setLevelAverage(i, QString());
    const QString zero = QStringLiteral("0") + layout_.counterSeparator + QStringLiteral("0");
    view_.setCorrectCounter(zero);
    view_.setWrongCounter(zero);
    sentenceCorrect_ = sentenceErrors_ = 0;
    view_.setSentenceNumber(QString());
    view_.setScoreGaugesVisible(false);
    view_.setWindowTitle(kTitle);

    expectedKeyIndex_ = 0;
    r.errorCount = r.correctCount = 0;
    r.sentenceSpeeds = {};
    sentenceNo_ = 0;
    levelScoreSum_ = 0;
}

// --- Next sentence -------------------------------------------------------------

void ExerciseEngine::PrepareNextSentence() {
    if (ended_) return;
    ExerciseResults& r = results();
    if (appState().freeTextMode) {
        LoadFreeText();
        return;
    }
    exerciseRunning_ = true;
    ++sentenceNo_;
    view_.setTypeForMeVisible(false);
    dispatchEvents();

    if (sentenceNo_ == 6 || sentenceNo_ == 11) {
        r.resultsReason = ResultsReason::LevelEnded;
        view_.showModalForm(DialogKind::Results);
        if (r.resultsAnswer != ResultsAnswer::Continue) {
            endProgram();
            return;
        }
    }
    if (sentenceNo_ >= 16) {
        r.resultsReason = ResultsReason::ExerciseEnded;
        view_.showModalForm(DialogKind::Results);
        dispatchEvents();
        if (r.resultsAnswer != ResultsAnswer::Continue) {
            if (sources_.courseMode) sources_.SaveBookmark(view_.dialogParent(), texts_.messages);
            endProgram();
            return;
        }
        sentenceNo_ = 1;
        r.currentLevel = 1;
        r.errorCount = r.correctCount = 0;
        // The face shows the ratio of totals that start again from nothing.
        view_.clearFace();
        usedSentences_ = {};
        for (int i = 0; i < 3; ++i) view_.setLevelAverage(i, QString());
        r.sentenceSpeeds = {};
        if (sources_.courseMode) sources_.SaveBookmark(view_.dialogParent(), texts_.messages);
        if (sources_.commandLineArg.isEmpty() && !sources_.listEntries.isEmpty()) {
            restartPending_ = true;
            sentenceNo_ = 0;
            return;
        }
    }

    const QString titlePart =
        (r.exerciseFile.isEmpty() ? message(Message::InternalSentences)
                                  : QStringLiteral(" - ") + QFileInfo(r.exerciseFile).fileName())
            .left(30);
    const int level = levelOfSentence(sentenceNo_);
    const int inLevel = sentenceNo_ - 5 * (level - 1);
    r.currentLevel = int16_t(level);
    view_.setLamps(level);
    view_.setSpeedBarPicture(300 + level);
    view_.setSentenceNumber(QString::number(inLevel));
    view_.setWindowTitle(kTitle + QLatin1Char(' ') + titlePart + QLatin1Char(' ') +
                         message(levelMessage(level)) + QLatin1Char(' ') +
                         QString::number(inLevel));

    const LineFitter fitter = view_.lineFitter();
    r.exerciseText = DrawSentence(sentenceNo_, usedSentences_, r.exerciseFile,
                                  [&fitter](const QString& file, int lvl, int key) {
                                      return ReadCourseEntry(file, lvl, key, fitter);
                                  });
}

void ExerciseEngine::LoadFreeText() {
    AppState& st = appState();
    const QString path = st.results.exerciseFile;
    QString text;
    bool ok = false, tooLong = false;
    // Counters are 16-bit: a text past the list's size limit (a file grown
    // since it was listed, or growing while read) is refused rather than
    // miscounted. A named pipe or a device in the file's place is no text.
    if (const std::optional<QByteArray> read = readRegularFile(path, kTextFileLimit)) {
        const QByteArray& bytes = *read;
        if (bytes.size() >= kTextFileLimit) {
            tooLong = true;
        } else if (!bytes.contains('\0')) {
            // NUL bytes mean a binary file, not a text to type.
            text = trimBlanks(
                joinLines(withoutControls(WithKeyboardPunctuation(decodeFileText(bytes)))));
            ok = !text.isEmpty();  // an empty text could never be finished
        }
    }
    if (ok) {
        st.results.exerciseText = text;
        return;
    }
    const QString msg = tooLong ? message(Message::FileTooLong)
                                : message(Message::CannotOpenFile) + QLatin1Char('\n') + path;
    seams::message(view_.dialogParent(), msg, kTitle, seams::MsgIcon::Critical);
    st.results.exerciseFile.clear();
    st.freeTextMode = false;
    restartPending_ = true;
}

// --- The cursor -------------------------------------------------------------

void ExerciseEngine::AdvanceCursor(bool reset) {
    AppState& st = appState();
    const bool freeText = st.freeTextMode;
    if (reset) textPos_ = 0;
    if (textPos_ == 1) {
        SetClock(true);
        sentenceStart_ = seams::now();
        if (!freeText) view_.setScoreGaugesVisible(true);
        view_.setAboutEnabled(false);
    }
    const QString& text = st.results.exerciseText;
    if (textPos_ >= text.size()) {
        sentenceDone_ = true;
        if (highlightOn_) view_.HideHighlights();
        return;
    }
    ++textPos_;
    expectedChar_ = text.mid(textPos_ - 1, 1);
    // Typographic quotes were made plain when the text was loaded.
    if (freeText && expectedChar_ == QStringLiteral(" ")) ++st.results.spaceCount;
    placeUnderline();
    view_.HighlightNextKey(expectedChar_[0], textPos_);
    if (!freeText && !isTypeableCode(charCode(expectedChar_[0]))) view_.setTypeForMeVisible(true);
    if (expectedChar_ == QStringLiteral("\r")) ++textPos_;
}

void ExerciseEngine::placeUnderline() {
    const int index = textPos_ - 1;
    if (appState().freeTextMode) {
        view_.setUnderline(0, index - displayStart_ + 1);
        return;
    }
    const QString& text = results().exerciseText;
    const int lineStart = index == 0 ? 0 : int(text.lastIndexOf(QLatin1Char('\n'), index - 1)) + 1;
    const int line = lineStart == 0 ? 0 : 1;
    view_.setUnderline(line, index - lineStart + 1);
}

// --- Keystrokes -------------------------------------------------------------

void ExerciseEngine::OnInputText(const QString& text) {
    for (QChar c : text) {
        if (ended_) return;
        lastTyped_ = c;
        OnInputKey(charCode(c));
    }
}

void ExerciseEngine::OnInputKey(int keyAscii, bool fromInputBox) {
    if (ended_ || sentenceDone_) return;
    if (expectedChar_.isEmpty() || keyAscii == 27) return;
    AppState& st = appState();
    ExerciseResults& r = st.results;
    const bool freeText = st.freeTextMode;
    const int expected = charCode(expectedChar_[0]);
    const char32_t expectedCode = expectedChar_[0].unicode();

    if (freeText) {
        if (keyAscii == 13 || keyAscii == 8) return;
        if (keyAscii == expected) {
            playSoundIfOn(Sound::RightKey);
            tally_.right(expectedCode);
        } else {
            tally_.wrong(expectedCode, typedChar(keyAscii).unicode());
            countOne(r.errorCount);
            view_.setWrongCounter(QString::number(r.errorCount));
            playSoundIfOn(Sound::WrongKey);
        }
    } else if (keyAscii != expected) {
        if (!(keyAscii == 13 && !clockOn_)) {
            playSoundIfOn(Sound::WrongKey);
            WrongKey(keyAscii);
        }
        if (!sentenceDone_ && clockOn_) {
            tally_.wrong(expectedCode, typedChar(keyAscii).unicode());
            countOne(sentenceErrors_);
            countOne(r.errorCount);
            showCounters();
            ErrorRatioFace();
        }
        if (seams::capsLockOn()) seams::switchCapsLockOff();
        return;
    } else {
        playSoundIfOn(Sound::RightKey);
        tally_.right(expectedCode);
    }

    // Accepted.
    if (freeText) {
        if (fromInputBox) inputText_ += typedChar(keyAscii);
        if (inputText_.size() > 28) {
            inputText_ = inputText_.right(28);
            // The line shown starts one character before the oldest one
            // left in the box (sentenceCorrect_ counts the keys before this).
            displayStart_ = std::max(0, sentenceCorrect_ - 28);
            displayText_ = r.exerciseText.mid(displayStart_, 100);
            view_.setSentenceText(displayText_);
        }
    } else if (fromInputBox && keyAscii != 13) {
        inputText_ += typedChar(keyAscii);
    }
    if (fromInputBox) view_.setInputText(inputText_);

    countOne(sentenceCorrect_);
    countOne(r.correctCount);
    if (freeText)
        view_.setCorrectCounter(QString::number(r.correctCount));
    else
        showCounters();

    AdvanceCursor();
    ErrorRatioFace();

    if (!sentenceDone_) return;
    inSentenceEnd_ = true;
    view_.inputStateChanged();
    // The last key is taken over by the program: the box shows the
    // expected character, whatever was typed for it.
    if (fromInputBox) inputText_.chop(1);
    inputText_ += expectedChar_;
    view_.setInputText(inputText_);
    view_.setUnderline(0, 0);
    view_.setStartEnabled(true);
    view_.RedrawKeyboard();
    view_.setProgressVisible(false);
    EndOfSentence();
    if (ended_) return;
    dispatchEvents();
    if (!waitAlive(this, 1000) || ended_) return;
    if (!freeText)
        FlashBotton();
    else if (sources_.textFileChosen)
        endProgram();
    else
        Restart();
    inSentenceEnd_ = false;
    view_.inputStateChanged();
}

void ExerciseEngine::WrongKey(int keyAscii) {
    if (results().categoryIndex == 0 && highlightOn_) {
        const QChar typed = typedChar(keyAscii);
        if (!expectedChar_.isEmpty() && typed.toUpper() == expectedChar_[0].toUpper()) {
            view_.hideWrongKeyMarker();
            return;
        }
        view_.MarkWrongKey(keyAscii);
    }
    for (int step = 1; step <= 4; ++step) {
        view_.setInputFlash(step % 2 == 1);
        seams::waitWithEvents(5);
    }
}

void ExerciseEngine::TypeForMe() {
    view_.setTypeForMeVisible(false);
    if (expectedChar_.isEmpty()) return;
    lastTyped_ = expectedChar_[0];
    OnInputKey(charCode(expectedChar_[0]), false);
}

void ExerciseEngine::ErrorRatioFace() {
    const ExerciseResults& r = results();
    view_.setFace(tastolino::ErrorRatioFace(r.errorCount, r.correctCount, r.expertMode));
}

}  // namespace tastolino
