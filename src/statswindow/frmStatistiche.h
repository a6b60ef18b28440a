// The statistics window: a user's progress over time as charts (speed and
// error rate per day or per session, for the last 7 or 30 days or all of
// them), the weak keys on the program's own keyboard in a heat mode with the
// fingers ranked beside it, the ten weakest characters, and buttons for a
// drill on the weak keys and for the CSV export.
//
// Everything is read when the window opens and when the period changes;
// the window keeps no connection of its own.
#pragma once

#include "stats/StatsQueries.h"
#include "stats/StatsTexts.h"
#include "statswindow/StatsWindowSetup.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QChartView;

namespace tastolino {

class KeyboardPanel;
class StatsStore;

// The window's size on a screen: roomy on large screens, within the screen
// and its frame on the smallest (800 x 600).
QSize statisticsWindowSize(const QSize& screen);

// Opens the window modally over `parent`, sized for the screen and centred
// on it; the drill exercise file it made, or empty.
QString runStatisticsWindow(StatsStore& store, const StatsWindowSetup& setup, QWidget* parent);

class frmStatistiche : public QDialog {
    Q_OBJECT
  public:
    frmStatistiche(StatsStore& store, StatsWindowSetup setup, QWidget* parent = nullptr);
    ~frmStatistiche() override;

    // The drill exercise made by the drill button (the window has closed
    // for it to start); empty otherwise.
    const QString& drillFile() const { return drillFile_; }

    void setPeriod(Period period);
    void setPerSession(bool on);
    void showTab(int index);

    // Read back (tests).
    KeyboardPanel* keyboard() const { return keyboard_; }
    QTableWidget* weakestTable() const { return weakest_; }
    QTableWidget* fingerTable() const { return fingers_; }
    QChartView* speedChart() const { return speedChart_; }
    QChartView* errorChart() const { return errorChart_; }

  private:
    void reload();
    void fillProgress(const std::vector<ProgressPoint>& points);
    void fillKeys(const std::vector<CharacterStats>& characters);
    QString text(const char* id) const;

    StatsStore& store_;
    StatsWindowSetup setup_;
    Period period_ = Period::Last30Days;
    bool perSession_ = false;
    QString drillFile_;

    QComboBox* cboPeriod_ = nullptr;
    QComboBox* cboGrouping_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QStackedWidget* progressStack_ = nullptr;
    QChartView* speedChart_ = nullptr;
    QChartView* errorChart_ = nullptr;
    KeyboardPanel* keyboard_ = nullptr;
    QTableWidget* weakest_ = nullptr;
    QTableWidget* fingers_ = nullptr;
};

}  // namespace tastolino
