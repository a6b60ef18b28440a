// The timed side of the engine: the sentence clock, the pause, the Enter
// blinker, the end of a sentence, and the menu commands that restart.
#include "exercise/ExerciseEngine.h"

#include "exercise/AppState.h"
#include "exercise/DesktopTexts.h"
#include "exercise/FreeTextReportFigures.h"
#include "exercise/Scoring.h"
#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/Wait.h"

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
    const qint64 ms = sentenceStart_.msecsTo(seams::now());
    view_.setClockText(clockText(ms));
    if (appState().freeTextMode) {
        view_.setProgressWidth(wholePart(float(r.correctCount) * progressPerChar_));
        return;
    }
    speedBarWidth_ =
        tastolino::speedBarWidth(ms / 1000, textPos_, layout_.barFullWidth, r.scoreFactor);
    view_.setSpeedBarWidth(speedBarWidth_);
}

void ExerciseEngine::ResumeClock(const QDateTime& stoppedAt) {
    sentenceStart_ = sentenceStart_.addMSecs(stoppedAt.msecsTo(seams::now()));
    SetClock(true);
}

void ExerciseEngine::PauseExercise() {
    if (!clockOn_) return;
    const QDateTime t0 = seams::now();
    SetClock(false);
    QString text;
    if (appState().freeTextMode) {
        const qint64 size = QFileInfo(results().exerciseFile).size();
        text = message(Message::TimeToFinish) + QLatin1Char(' ') +
               remainingMinutesText(size, results().correctCount) + QLatin1Char(' ') +
               message(Message::Minutes) + QLatin1Char('\n') + message(Message::PressOk);
    } else {
        text = message(Message::PressOk);
    }
    seams::message(view_.dialogParent(), text, kTitle, seams::MsgIcon::Information);
    ResumeClock(t0);
}

void ExerciseEngine::FlashBotton() {
    exerciseRunning_ = false;
    view_.setEnterInvitation(true);
    Timer2.start();
}

void ExerciseEngine::HoldEnterInvitation() {
    exerciseRunning_ = true;
}

void ExerciseEngine::Timer2_Timer() {
    if (exerciseRunning_) {
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
    const qint64 ms = sentenceStart_.msecsTo(seams::now());
    const float speed = sentenceSpeed(int(r.exerciseText.size()), ms / 1000);

    if (st.freeTextMode) {
        r.freeTextElapsedDays = double(ms) / 86400000.0;
        // The speed the report shows; a text typed within a second has
        // none.
        const FreeTextReportFigures figures = freeTextReportFigures(r);
        recordFinished(ms, figures.perMinute.value_or(0), std::nullopt);
        if (!waitAlive(this, 1000)) return;
        view_.showModalForm(DialogKind::FreeTextReport);
        return;
    }

    bool newBest = false;
    if (bestBarWidth_ > speedBarWidth_) {
        bestBarWidth_ = speedBarWidth_;
        view_.setBestBarWidth(bestBarWidth_);
        newBest = !firstOfLevel_;
    }
    playSoundIfOn(newBest ? Sound::NewBest : Sound::SentenceDone);

    if (sentenceNo_ >= 1 && sentenceNo_ <= 15) r.sentenceSpeeds[size_t(sentenceNo_)] = speed;
    const int score = sentenceScore(r.scoreFactor, speed);
    // Keystrokes per minute as the message below shows them.
    recordFinished(ms, double(qRound64(double(speed) * 60)), score);

    const int level = r.currentLevel;
    if (sentenceNo_ == 5 || sentenceNo_ == 10 || sentenceNo_ == 15) {
        view_.setLevelAverage(level - 1, QString::number(calcolaMediaLevel(r, level)));
        levelScoreSum_ = 0;
    } else {
        levelScoreSum_ += score;
        const int k = sentenceNo_ - (5 * level - 5);
        if (k > 0) view_.setLevelAverage(level - 1, QString::number(levelScoreSum_ / k));
    }

    QString praise;
    if (score >= 41) praise = pickPraise(newBest ? texts_.praiseGreat : texts_.praiseGood);
    view_.showMessage(
        sentenceMessage(score, newBest, speed, texts_.messages, r.perMinuteText, praise),
        420 + ScoreCategory(score, r.categoryIndex));
    dispatchEvents();
    firstOfLevel_ = false;
}

void ExerciseEngine::recordFinished(qint64 ms, double speed, std::optional<int> score) {
    if (!recordSentence_) return;
    const AppState& st = appState();
    const ExerciseResults& r = st.results;
    SentenceRecord record;
    record.user = r.userName;
    record.time = seams::now();
    if (st.freeTextMode)
        record.source = SourceKind::TextFile;
    else if (r.exerciseFile.isEmpty())
        record.source = SourceKind::InternalSentences;
    else if (sources_.courseMode)
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
    record.keystrokes = tally_.rightTotal() + tally_.wrongTotal();
    record.errors = tally_.wrongTotal();
    record.speed = speed;
    record.score = score;
    record.keys = tally_.counts();
    recordSentence_(record);
}

// --- Menu commands that reach the engine ------------------------------------------

void ExerciseEngine::Restart() {
    if (ended_) return;
    if (!sources_.commandLineArg.isEmpty()) {
        seams::message(view_.dialogParent(), message(Message::ButtonUnavailable), kTitle,
                       seams::MsgIcon::Information);
        return;
    }
    const bool wasRunning = clockOn_;
    if (wasRunning) {
        Timer1.stop();
        clockOn_ = false;
    }
    const seams::MsgAnswer answer =
        seams::message(view_.dialogParent(), message(Message::StartAgain), kTitle,
                       seams::MsgIcon::Question, seams::MsgButtons::YesNo);
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
    sources_.SelectSource(SourceInternal);
    view_.sourcesChanged(sources_);
    restartPending_ = true;
    view_.focusDisplay();
    view_.showModalForm(DialogKind::UserName);
    StartSentence();
}

void ExerciseEngine::RequestFreshStart() {
    restartPending_ = true;
}

void ExerciseEngine::StartAfresh() {
    SetClock(false);
    Timer2.stop();
    sources_.SelectSource(SourceInternal);
    view_.sourcesChanged(sources_);
    restartPending_ = true;
    sentenceNo_ = 0;
    StartSentence();
}

void ExerciseEngine::OpenGame() {
    exerciseRunning_ = false;
    Timer2.stop();
    view_.setEnterInvitation(false);
    sources_.SelectSource(SourceInternal);
    view_.sourcesChanged(sources_);
    view_.hideCoverWindow();
    dispatchEvents();
    view_.openGame();
    restartPending_ = true;
    view_.focusDisplay();
    StartSentence();
}

void ExerciseEngine::SelectSource(int index) {
    if (!sources_.SelectSource(index)) {
        OpenGame();
        return;
    }
    view_.sourcesChanged(sources_);
}

void ExerciseEngine::ChooseListEntry(int index) {
    sources_.listIndex = index;
}

void ExerciseEngine::EnableSources() {
    sources_.EnableSources();
    view_.sourcesChanged(sources_);
}

bool ExerciseEngine::InterpretCommandLine(const QString& arg) {
    switch (sources_.InterpretCommandLine(arg)) {
        case ExerciseSources::CommandLine::NotFound:
            // The learner asked for this file: say so rather than quietly
            // starting with the internal sentences.
            seams::message(view_.dialogParent(), fileNotReadableText(sources_.unreadableFile),
                           kTitle, seams::MsgIcon::Warning);
            return true;
        case ExerciseSources::CommandLine::TooLong:
            seams::message(view_.dialogParent(), message(Message::FileTooLong), kTitle,
                           seams::MsgIcon::Information);
            endProgram();
            return false;
        default:
            return true;
    }
}

}  // namespace tastolino
