// The running game and training: starts, the falling characters, keys,
// scoring and the end of a game or a training.
#include "game/FrmPlay.h"

#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "ui/GradientPanel.h"
#include "ui/basSleep.h"
#include "ui/modGradient.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

namespace tastolino {

using game::kSlotCount;

namespace {

QString colourSheet(uint32_t bgr) {
    return QStringLiteral("color: %1;").arg(ColorFromBgr(bgr).name());
}

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kBlack = 0x000000;

}  // namespace

void FrmPlay::setLetterColour(int i, uint32_t bgr) {
    letter(i)->setStyleSheet(colourSheet(bgr));
    letter(i)->setProperty("colour", bgr);
}

void FrmPlay::cmdStart_Click() {
    if (playMode_ == game::kCustomMode) {
        const QString set = game::normalisedCustomSet(txtCustom->text());
        // Too few different letters, typed or left after tidying: no start,
        // and what was typed stays in the box to be completed.
        if (set.isEmpty()) {
            seams::message(this, PlayTexts[0], QStringLiteral("Tastolino"),
                           seams::MsgIcon::Information);
            txtCustom->setFocus();
            return;
        }
        txtCustom->setText(set);
    }
    ++runSerial_;
    playSound(Sound::NewGame);
    picLevel->hide();
    turnNumber_ = 1;
    gameScore_ = 0;
    lblTotal->setText(QStringLiteral("0"));
    trainingHits_ = 0;
    trainingMisses_ = 0;
    lblDigOK->setText(QStringLiteral("0"));
    lblDigKO->setText(QStringLiteral("0"));
    lblTotDigit->setText(QStringLiteral("0"));
    lblScoreTraining->setText(QStringLiteral("0"));
    acceptingKeys_ = false;
    if (game::isGameMode(playMode_)) {
        scoreToBeat_ = bestScores_[size_t(playMode_)];
        lblWinner->setText(game::formatScore(scoreToBeat_, numberGroup_));
    } else {
        lblWinner->setText(noRecordText_);
    }
    startRun();
}

void FrmPlay::resetSlots() {
    if (game::isGameMode(playMode_)) startDepth_ = game::startDepthOf(playMode_);
    for (int i = 0; i < kSlotCount; ++i) {
        letter(i)->hide();
        setLetterColour(i, kWhite);
        letter(i)->move(letter(i)->x(), game::RandomBetween(startDepth_, 0));
        letterStep_[size_t(i)] = 0;
        lblSmileOK[size_t(i)]->hide();
        lblSmileNOT[size_t(i)]->hide();
        lblScore[size_t(i)]->hide();
    }
    targetSlot_ = -1;
}

void FrmPlay::startRun() {
    const int serial = runSerial_;
    cmdNuovo->setEnabled(false);
    cmdExit->setEnabled(false);
    resetSlots();
    PicPlay->setFocus();
    if (game::isGameMode(playMode_)) {
        lblMessage->setText(PlayTexts[1] + QLatin1Char(' ') + QString::number(turnNumber_) +
                            QStringLiteral("/6"));
        lblMessage->show();
        picDisplayTraining->hide();
        picDisplayPlay->show();
        if (!introduction() || serial != runSerial_) return;
        chooseTurnCharacters();
        timerLetters_.setInterval(100);
    } else {
        lblMessage->setText(PlayTexts[2]);
        lblMessage->show();
        clearClock();
        picDisplayPlay->hide();
        if (!introduction() || serial != runSerial_) return;
        picDisplayTraining->show();
        placeTrainingLetters();
        const int seconds = hsTime->value() * 150;
        trainingEndTime_ = seams::now().addSecs(seconds);
        degreesPerSecond_ = 360.0 / seconds;
        timerLetters_.setInterval(hsSpeed->value() * 25);
        markTarget();
    }
    timerLetters_.start();
    acceptingKeys_ = true;
    cmdNuovo->setEnabled(true);
    cmdExit->setEnabled(true);
}

bool FrmPlay::introduction() {
    const int serial = runSerial_;
    const int top = lblMessage->y();
    WaitSeconds(2, true);
    while (serial == runSerial_ && lblMessage->y() <= PicPlay->height()) {
        seams::waitWithEvents(40);
        lblMessage->move(lblMessage->x(), lblMessage->y() + 1);
    }
    lblMessage->hide();
    lblMessage->move(lblMessage->x(), top);
    if (serial != runSerial_) return false;
    playSound(Sound::Start);
    return true;
}

int FrmPlay::drawEmptySlot(bool wantHidden) const {
    auto fits = [&](int i) {
        return wantHidden ? letter(i)->isHidden() : letter(i)->text().isEmpty();
    };
    // Drawn at random like the rest of the game; a long unlucky run of
    // draws falls back to the first free slot instead of looping forever.
    for (int tries = 0; tries < 1000; ++tries) {
        const int i = game::RandomBetween(0, kSlotCount - 1);
        if (fits(i)) return i;
    }
    for (int i = 0; i < kSlotCount; ++i)
        if (fits(i)) return i;
    return -1;
}

void FrmPlay::chooseTurnCharacters() {
    const int count = game::charactersPerTurn(playMode_);
    for (int n = 0; n < count; ++n) {
        const int i = drawEmptySlot(true);
        if (i < 0) break;
        letter(i)->show();
        letterStep_[size_t(i)] = game::RandomBetween(2, turnNumber_ + 2);
    }
    const auto chars = game::drawTurnCharacters(playMode_);
    for (int i = 0; i < kSlotCount; ++i) {
        if (letter(i)->isHidden()) continue;
        letter(i)->setText(QString(chars[size_t(i)]));
        setLetterColour(i, game::characterColour(chars[size_t(i)]));
    }
}

void FrmPlay::placeTrainingLetters() {
    letterSet_ = playMode_ == game::kCustomMode ? txtCustom->text() : game::trainingSet(playMode_);
    for (int i = 0; i < kSlotCount; ++i) {
        letter(i)->move(letter(i)->x(), game::RandomBetween(0, 30));
        letter(i)->setText(QString());
        letterStep_[size_t(i)] = 1;
    }
    for (const QChar c : letterSet_) {
        const int i = drawEmptySlot(false);
        if (i < 0) break;
        letter(i)->setText(QString(c));
        letter(i)->show();
    }
}

void FrmPlay::markTarget() {
    // The lowest letter on screen is the one to catch; among equal heights
    // the one furthest right.
    targetSlot_ = -1;
    int best = 0;
    for (int i = 0; i < kSlotCount; ++i) {
        if (letter(i)->isHidden()) continue;
        setLetterColour(i, kWhite);
        if (targetSlot_ < 0 || letter(i)->y() >= best) {
            targetSlot_ = i;
            best = letter(i)->y();
        }
    }
    if (targetSlot_ >= 0) setLetterColour(targetSlot_, kRed);
}

void FrmPlay::timerLetters_Timer() {
    const bool game = game::isGameMode(playMode_);
    for (int i = 0; i < kSlotCount; ++i) {
        QLabel* l = letter(i);
        if (l->isHidden()) continue;
        l->move(l->x(), l->y() + letterStep_[size_t(i)]);
        if (l->y() <= playHeight_ - 5) continue;
        if (game) {
            lblSmileNOT[size_t(i)]->move(l->x() - 6, PicPlay->height() - 40);
            lblSmileNOT[size_t(i)]->show();
            l->hide();
            gameKey(QLatin1Char('"'));
        } else {
            l->move(l->x(), -5);
            ++trainingMisses_;
            lblDigKO->setText(QString::number(trainingMisses_));
            updateTrainingFigures();
            markTarget();
        }
    }
    if (!game && timerLetters_.on) {
        drawClock();
        if (trainingEndTime_ < seams::now()) {
            acceptingKeys_ = false;
            timerLetters_.stop();
            timerScore_.stop();
            lblMessage->setText(PlayTexts[3]);
            lblMessage->show();
        }
    }
}

void FrmPlay::gameKey(QChar c) {
    int remaining = 0;
    bool matched = false;
    for (int i = 0; i < kSlotCount; ++i) {
        QLabel* l = letter(i);
        if (l->isHidden()) continue;
        if (l->text() == QString(c)) {
            matched = true;
            playSound(Sound::RightKey);
            lblSmileOK[size_t(i)]->move(l->x() - 6, l->y());
            lblSmileOK[size_t(i)]->show();
            l->hide();
            l->move(l->x(), 0);
        } else {
            ++remaining;
        }
    }
    if (!matched && c != QLatin1Char('"')) {
        gameScore_ -= 25;
        lblTotal->setText(game::formatScore(gameScore_, numberGroup_));
        lblTotal->setStyleSheet(colourSheet(kRed));
        const bool stillRunning = errorPause();
        lblTotal->setStyleSheet(colourSheet(kBlue));
        if (!stillRunning) return;
    }
    if (remaining == 0) {
        acceptingKeys_ = false;
        timerScore_.start();
    }
}

bool FrmPlay::errorPause() {
    const int serial = runSerial_;
    playSound(Sound::WrongKey);
    imgErrore->show();
    imgErrore->raise();
    acceptingKeys_ = false;
    timerLetters_.stop();
    WaitSeconds(1, true);
    imgErrore->hide();
    // A restart or close during the pause has ended this run.
    if (serial != runSerial_) return false;
    timerLetters_.start();
    acceptingKeys_ = true;
    return true;
}

void FrmPlay::trainingKey(QChar c) {
    for (int i = 0; i < kSlotCount; ++i) {
        QLabel* l = letter(i);
        if (l->isHidden() || l->text() != QString(c) || !isTarget(i)) continue;
        playSound(Sound::RightKey);
        ++trainingHits_;
        lblDigOK->setText(QString::number(trainingHits_));
        gameScore_ += game::CatchScore(l->y() - 5, playHeight_);
        updateTrainingFigures();
        const int fresh = drawEmptySlot(false);
        if (fresh >= 0) {
            const int pos = game::RandomBetween(1, int(letterSet_.size()));
            letter(fresh)->setText(QString(letterSet_[pos - 1]));
            letter(fresh)->show();
        }
        l->setText(QString());
        l->hide();
        l->move(l->x(), 0);
        markTarget();
        return;
    }
    ++trainingMisses_;
    lblDigKO->setText(QString::number(trainingMisses_));
    updateTrainingFigures();
    if (errorPause()) drawClock();
}

void FrmPlay::updateTrainingFigures() {
    const int total = trainingHits_ + trainingMisses_;
    if (total <= 0) return;
    lblScoreTraining->setText(
        QString::number(static_cast<int>(std::floor(double(gameScore_) / total))) +
        QStringLiteral(" %"));
    lblTotDigit->setText(QString::number(total));
}

void FrmPlay::clearClock() {
    QPixmap clock(70, 70);
    clock.fill(Qt::white);
    QPainter p(&clock);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawEllipse(QPointF(35, 35), 33, 33);
    p.end();
    picProgressRound->setPixmap(clock);
}

void FrmPlay::drawClock() {
    const qint64 s = seams::now().secsTo(trainingEndTime_);
    QPixmap clock = picProgressRound->pixmap();
    if (clock.isNull()) return;
    {
        QPainter p(&clock);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.5));
        const double a = double(s) * 0.01745 * degreesPerSecond_;
        const QPointF centre(clock.width() / 2.0, clock.height() / 2.0);
        p.drawLine(centre, centre + QPointF(32 * std::sin(a), 32 * std::cos(a)));
    }
    picProgressRound->setPixmap(clock);
}

void FrmPlay::timerScore_Timer() {
    for (int i = 0; i < kSlotCount; ++i) {
        QLabel* mark = lblSmileOK[size_t(i)];
        if (mark->isHidden()) continue;
        QLabel* score = lblScore[size_t(i)];
        score->setStyleSheet(colourSheet(0x80FF80));
        score->move(mark->pos());
        score->setText(QString::number(game::CatchScore(mark->y(), playHeight_)));
        mark->hide();
        score->show();
        playSound(Sound::RightKey);
        return;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        QLabel* mark = lblSmileNOT[size_t(i)];
        if (mark->isHidden()) continue;
        QLabel* score = lblScore[size_t(i)];
        score->setStyleSheet(colourSheet(kRed));
        score->setText(QStringLiteral("-10"));
        score->move(mark->x(), PicPlay->height() - 40);
        mark->hide();
        score->show();
        playSound(Sound::Click);
        return;
    }
    int sum = 0;
    for (QLabel* score : lblScore)
        if (!score->isHidden()) sum += score->text().toInt();
    gameScore_ += sum;
    lblTotal->setText(game::formatScore(gameScore_, numberGroup_));
    timerScore_.stop();
    nextTurn();
}

void FrmPlay::nextTurn() {
    ++turnNumber_;
    for (QLabel* score : lblScore) score->hide();
    if (turnNumber_ <= game::kTurnCount) {
        startRun();
        return;
    }
    endGame();
}

void FrmPlay::endGame() {
    lblMessage->setText(PlayTexts[4]);
    lblMessage->show();
    timerLetters_.stop();
    timerScore_.stop();
    acceptingKeys_ = false;
    const QString& user = input_.userName;
    if (user.isEmpty() || gameScore_ <= scoreToBeat_) return;
    if (!game::writeRecord(input_.appFolder, user, playMode_, gameScore_)) {
        // Not kept, so not celebrated: the stored record stays on show.
        seams::message(
            this, recordFailedText_ + QLatin1Char('\n') + game::recordsFilePath(input_.appFolder),
            QStringLiteral("Tastolino"), seams::MsgIcon::Warning);
        return;
    }
    bestScores_ = game::readRecords(input_.appFolder, user);
    lblWinner->setText(game::formatScore(gameScore_, numberGroup_));
    celebrate();
}

void FrmPlay::celebrate() {
    const int serial = runSerial_;
    playSound(Sound::NewBest);
    for (int step = 0; step < 14 && serial == runSerial_; ++step) {
        const bool lit = step % 2 == 0;
        lblImgWinner->setStyleSheet(colourSheet(lit ? kWhite : kBlack));
        lblWinner->setStyleSheet(colourSheet(lit ? kRed : kBlack));
        seams::waitWithEvents(200);
    }
    lblImgWinner->setStyleSheet(colourSheet(kBlack));
    lblWinner->setStyleSheet(colourSheet(kBlack));
}

void FrmPlay::cmdNuovo_Click() {
    ++runSerial_;
    timerLetters_.stop();
    timerScore_.stop();
    picDisplayPlay->hide();
    picDisplayTraining->hide();
    acceptingKeys_ = false;
    picLevel->show();
    lblMessage->hide();
    imgErrore->hide();
    resetSlots();
    cmdStart->setEnabled(true);
    cmdNuovo->setEnabled(false);
    playSound(Sound::NewGame);
}

}  // namespace tastolino
