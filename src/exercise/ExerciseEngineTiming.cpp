// The timed side of the engine: the sentence clock, the pause, the Enter
// blinker, the end of a sentence, and the menu commands that restart.
#include "exercise/ExerciseEngine.h"

#include "exercise/DesktopTexts.h"
#include "exercise/FreeTextReportFigures.h"
#include "exercise/Scoring.h"
#include "platform/AppState.h"
#include "platform/Seams.h"

#include <QFileInfo>

namespace tastolino {
namespace {

const QString kTitle = QStringLiteral("Tastolino");

ExerciseResults& results() {
    return appState().results;
}

}  // namespace

// --- Clock, pause and blinker --------------------------------------------------

void ExerciseEngine::SetClock(bool on) {
    clockOn_ = on;
    if (on)
        Timer1.start();
    else
        Timer1.stop();
    view_.setClockOpaque(on);
}

void ExerciseEngine::Timer1_Timer() {
    const ExerciseResults& r = results();
    const qint64 ms = sentenceStart.msecsTo(seams::now());
    view_.setClockText(clockText(ms));
    if (appState().freeTextMode) {
        view_.setProgressWidth(wholePart(float(r.correctCount) * progressPerChar));
        return;
    }
    speedBarWidth =
        tastolino::speedBarWidth(ms / 1000, textPos, layout.barFullWidth, r.scoreFactor);
    view_.setSpeedBarWidth(speedBarWidth);
}

void ExerciseEngine::PauseExercise() {
    if (!clockOn_) return;
    const QDateTime t0 = seams::now();
    SetClock(false);
    QString text;
    if (appState().freeTextMode) {
        const qint64 size = QFileInfo(results().exerciseFile).size();
        text = message(39) + QLatin1Char(' ') + remainingMinutesText(size, results().correctCount) +
               QLatin1Char(' ') + message(36) + QLatin1Char('\n') + message(38);
    } else {
        text = message(38);
    }
    seams::message(view_.dialogParent(), text, kTitle, seams::MsgIcon::Information);
    sentenceStart = sentenceStart.addMSecs(t0.msecsTo(seams::now()));
    SetClock(true);
}

void ExerciseEngine::FlashBotton() {
    exerciseRunning = false;
    view_.setEnterInvitation(true);
    Timer2.start();
}

void ExerciseEngine::Timer2_Timer() {
    if (exerciseRunning) {
        Timer2.stop();
        view_.setEnterInvitation(false);
        return;
    }
    view_.toggleEnterPicture();
    if (!view_.programWindowActive()) view_.hideCoverWindow();
}

// --- End of a sentence ----------------------------------------------------------

void ExerciseEngine::EndOfSentence() {
    AppState& st = appState();
    ExerciseResults& r = st.results;
    SetClock(false);
    const qint64 ms = sentenceStart.msecsTo(seams::now());
    const float speed = sentenceSpeed(int(r.exerciseText.size()), ms / 1000);

    if (st.freeTextMode) {
        r.freeTextElapsedDays = double(ms) / 86400000.0;
        // The speed the report shows; a text typed within a second has
        // none.
        const FreeTextReportFigures figures = freeTextReportFigures(r);
        recordFinished(ms, figures.perMinute.value_or(0), std::nullopt);
        seams::waitWithEvents(1000);
        view_.showModalForm(3);
        return;
    }

    bool newBest = false;
    if (bestBarWidth > speedBarWidth) {
        bestBarWidth = speedBarWidth;
        view_.setBestBarWidth(bestBarWidth);
        newBest = !firstOfLevel;
    }
    playSound(newBest ? 103 : 102);

    if (sentenceNo >= 1 && sentenceNo <= 15) r.sentenceSpeeds[size_t(sentenceNo)] = speed;
    const int score = sentenceScore(r.scoreFactor, speed);
    // Keystrokes per minute as the message below shows them.
    recordFinished(ms, double(qRound64(double(speed) * 60)), score);

    const int level = r.currentLevel;
    if (sentenceNo == 5 || sentenceNo == 10 || sentenceNo == 15) {
        view_.setLevelAverage(level - 1, QString::number(calcolaMediaLevel(r, level)));
        levelScoreSum = 0;
    } else {
        levelScoreSum += score;
        const int k = sentenceNo - (5 * level - 5);
        if (k > 0) view_.setLevelAverage(level - 1, QString::number(levelScoreSum / k));
    }

    QString praise;
    if (score >= 41) praise = pickPraise(newBest ? praiseGreat : praiseGood);
    view_.showMessage(sentenceMessage(score, newBest, speed, messages, r.perMinuteText, praise),
                      420 + ScoreCategory(score, r.categoryIndex));
    dispatchEvents();
    firstOfLevel = false;
}

void ExerciseEngine::recordFinished(qint64 ms, double speed, std::optional<int> score) {
    if (!recordSentence) return;
    const AppState& st = appState();
    const ExerciseResults& r = st.results;
    SentenceRecord record;
    record.user = r.userName;
    record.time = seams::now();
    if (st.freeTextMode)
        record.source = SourceKind::TextFile;
    else if (r.exerciseFile.isEmpty())
        record.source = SourceKind::InternalSentences;
    else if (sources.courseMode)
        record.source = SourceKind::CourseLesson;
    else if (QFileInfo(r.exerciseFile).fileName().startsWith(QStringLiteral("TastiDeboli")))
        record.source = SourceKind::Drill;
    else
        record.source = SourceKind::CustomExercise;
    record.file = r.exerciseFile;
    record.level = r.currentLevel;
    record.category = r.categoryIndex;
    record.characters = int(r.exerciseText.size());
    record.milliseconds = ms;
    record.keystrokes = tally.rightTotal() + tally.wrongTotal();
    record.errors = tally.wrongTotal();
    record.speed = speed;
    record.score = score;
    record.keys = tally.counts();
    recordSentence(record);
}

// --- Menu commands that reach the engine ------------------------------------------

void ExerciseEngine::Restart() {
    if (ended) return;
    if (!sources.commandLineArg.isEmpty()) {
        seams::message(view_.dialogParent(), message(4), kTitle, seams::MsgIcon::Information);
        return;
    }
    const bool wasRunning = clockOn_;
    if (wasRunning) {
        Timer1.stop();
        clockOn_ = false;
    }
    const seams::MsgAnswer answer =
        seams::message(view_.dialogParent(), message(5), kTitle, seams::MsgIcon::Question,
                       seams::MsgButtons::YesNo);
    if (answer != seams::MsgAnswer::Yes) {
        if (appState().freeTextMode) {
            endProgram();
        } else if (wasRunning) {
            Timer1.start();
            clockOn_ = true;
        }
        return;
    }
    view_.setAboutEnabled(true);
    SetClock(false);
    sources.SelectSource(SourceInternal);
    view_.sourcesChanged(sources);
    restartPending = true;
    view_.focusDisplay();
    view_.showModalForm(1);
    StartSentence();
}

void ExerciseEngine::OpenGame() {
    exerciseRunning = false;
    Timer2.stop();
    view_.setEnterInvitation(false);
    sources.SelectSource(SourceInternal);
    view_.sourcesChanged(sources);
    view_.hideCoverWindow();
    dispatchEvents();
    view_.openGame();
    restartPending = true;
    view_.focusDisplay();
    StartSentence();
}

void ExerciseEngine::SelectSource(int index) {
    if (!sources.SelectSource(index)) {
        OpenGame();
        return;
    }
    view_.sourcesChanged(sources);
}

void ExerciseEngine::EnableSources() {
    sources.EnableSources();
    view_.sourcesChanged(sources);
}

bool ExerciseEngine::InterpretCommandLine(const QString& arg) {
    switch (sources.InterpretCommandLine(arg)) {
        case ExerciseSources::CommandLine::NotFound:
            // The learner asked for this file: say so rather than quietly
            // starting with the internal sentences.
            seams::message(view_.dialogParent(), fileNotReadableText(sources.unreadableFile),
                           kTitle, seams::MsgIcon::Warning);
            return true;
        case ExerciseSources::CommandLine::TooLong:
            seams::message(view_.dialogParent(), message(40), kTitle, seams::MsgIcon::Information);
            endProgram();
            return false;
        default:
            return true;
    }
}

}  // namespace tastolino
