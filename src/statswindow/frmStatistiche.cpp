#include "statswindow/frmStatistiche.h"

#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/Seams.h"
#include "stats/FingerMap.h"
#include "stats/StatsStore.h"
#include "statswindow/KeyHeat.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tastolino {
namespace {

QChartView* makeChartView(QWidget* parent) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(140);
    return view;
}

QTableWidget* makeTable(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    return table;
}

QTableWidgetItem* cell(const QString& s, bool number = false) {
    auto* item = new QTableWidgetItem(s);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

QSize statisticsWindowSize(const QSize& screen) {
    return {std::min(screen.width() - 20, 1000), std::min(screen.height() - 40, 760)};
}

QString runStatisticsWindow(StatsStore& store, const StatsWindowSetup& setup, QWidget* parent) {
    frmStatistiche window(store, setup, parent);
    const QSize screen = seams::screenSize();
    window.resize(statisticsWindowSize(screen));
    window.move((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
    seams::execModal(&window);
    return window.drillFile();
}

frmStatistiche::frmStatistiche(StatsStore& store, StatsWindowSetup setup, QWidget* parent)
    : QDialog(parent), store_(store), setup_(std::move(setup)) {
    setObjectName(QStringLiteral("frmStatistiche"));
    setWindowTitle(text("9110"));
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->setSpacing(6);

    auto* top = new QHBoxLayout;
    auto* user = new QLabel(text("9149").arg(setup_.user), this);
    user->setObjectName(QStringLiteral("lblUser"));
    QFont bold = user->font();
    bold.setBold(true);
    user->setFont(bold);
    top->addWidget(user);
    top->addStretch();
    cboPeriod_ = new QComboBox(this);
    cboPeriod_->setObjectName(QStringLiteral("cboPeriod"));
    cboPeriod_->addItems({text("9113"), text("9114"), text("9115")});
    cboPeriod_->setCurrentIndex(int(period_));
    cboGrouping_ = new QComboBox(this);
    cboGrouping_->setObjectName(QStringLiteral("cboGrouping"));
    cboGrouping_->addItems({text("9116"), text("9117")});
    top->addWidget(cboPeriod_);
    top->addWidget(cboGrouping_);
    main->addLayout(top);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    main->addWidget(tabs_, 1);

    // Progress: the two charts, or a line saying there is nothing yet.
    progressStack_ = new QStackedWidget;
    progressStack_->setObjectName(QStringLiteral("stkProgress"));
    auto* charts = new QWidget;
    auto* chartsLayout = new QVBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    speedChart_ = makeChartView(charts);
    speedChart_->setObjectName(QStringLiteral("chartSpeed"));
    errorChart_ = makeChartView(charts);
    errorChart_->setObjectName(QStringLiteral("chartErrors"));
    chartsLayout->addWidget(speedChart_);
    chartsLayout->addWidget(errorChart_);
    progressStack_->addWidget(charts);
    auto* empty = new QLabel(text("9135"));
    empty->setObjectName(QStringLiteral("lblEmpty"));
    empty->setAlignment(Qt::AlignCenter);
    empty->setWordWrap(true);
    progressStack_->addWidget(empty);
    tabs_->addTab(progressStack_, text("9111"));

    // Weak keys: the keyboard, and below it the weakest characters beside
    // the fingers.
    auto* keysPage = new QWidget;
    auto* keysLayout = new QVBoxLayout(keysPage);
    keysLayout->setContentsMargins(4, 4, 4, 4);
    keyboard_ = new KeyboardPanel(keysPage);
    keyboard_->setObjectName(QStringLiteral("picHeatKeyboard"));
    keyboard_->setErgonomicOn(setup_.ergonomic);
    keyboard_->setLargeScreen(setup_.largeKeyboard);
    keyboard_->setFixedSize(keyboard_->size());
    keysLayout->addWidget(keyboard_, 0, Qt::AlignHCenter);
    auto* tables = new QHBoxLayout;
    auto* weakestBox = new QVBoxLayout;
    weakestBox->addWidget(new QLabel(text("9121")));
    weakest_ =
        makeTable({text("9122"), text("9123"), text("9124"), text("9125"), text("9126")}, keysPage);
    weakest_->setObjectName(QStringLiteral("tblWeakest"));
    weakestBox->addWidget(weakest_);
    auto* fingerBox = new QVBoxLayout;
    fingerBox->addWidget(new QLabel(text("9120")));
    fingers_ = makeTable({QString(), text("9125")}, keysPage);
    fingers_->horizontalHeader()->hide();
    fingers_->setObjectName(QStringLiteral("tblFingers"));
    fingerBox->addWidget(fingers_);
    tables->addLayout(weakestBox, 3);
    tables->addLayout(fingerBox, 2);
    keysLayout->addLayout(tables, 1);
    tabs_->addTab(keysPage, text("9112"));

    auto* buttons = new QHBoxLayout;
    if (setup_.makeDrill) {
        auto* drill = new QPushButton(text("9127"), this);
        drill->setObjectName(QStringLiteral("cmdDrill"));
        connect(drill, &QPushButton::clicked, this, [this] {
            const QString file = setup_.makeDrill(this);
            if (file.isEmpty()) return;
            drillFile_ = file;
            accept();
        });
        buttons->addWidget(drill);
    }
    if (setup_.exportCsv) {
        for (bool sessions : {true, false}) {
            auto* b = new QPushButton(text(sessions ? "9128" : "9129"), this);
            b->setObjectName(sessions ? QStringLiteral("cmdExportSessions")
                                      : QStringLiteral("cmdExportKeys"));
            connect(b, &QPushButton::clicked, this,
                    [this, sessions] { setup_.exportCsv(this, sessions); });
            buttons->addWidget(b);
        }
    }
    buttons->addStretch();
    auto* close = new QPushButton(text("9130"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    main->addLayout(buttons);

    connect(cboPeriod_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setPeriod(Period(index)); });
    connect(cboGrouping_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setPerSession(index == 1); });
    reload();
}

frmStatistiche::~frmStatistiche() = default;

QString frmStatistiche::text(const char* id) const {
    return windowText(id, setup_.lookup);
}

void frmStatistiche::setPeriod(Period period) {
    if (cboPeriod_->currentIndex() != int(period)) {
        cboPeriod_->setCurrentIndex(int(period));  // comes back here
        return;
    }
    period_ = period;
    reload();
}

void frmStatistiche::setPerSession(bool on) {
    if (cboGrouping_->currentIndex() != int(on)) {
        cboGrouping_->setCurrentIndex(int(on));
        return;
    }
    perSession_ = on;
    reload();
}

void frmStatistiche::showTab(int index) {
    tabs_->setCurrentIndex(index);
}

void frmStatistiche::reload() {
    StatsQueries queries(store_);
    const std::vector<ProgressPoint> points =
        perSession_ ? queries.progressPerSitting(setup_.user, period_, setup_.today)
                    : queries.progressPerDay(setup_.user, period_, setup_.today);
    fillProgress(points);
    fillKeys(queries.characters(setup_.user, period_, setup_.today));
}

void frmStatistiche::fillProgress(const std::vector<ProgressPoint>& points) {
    progressStack_->setCurrentIndex(points.empty() ? 1 : 0);
    const QDate first = period_ == Period::AllDays && !points.empty()
                            ? points.front().day
                            : firstDayOf(period_, setup_.today);
    const QDateTime from = first.startOfDay().addSecs(-12 * 3600);
    const QDateTime to = setup_.today.startOfDay().addSecs(36 * 3600);
    const QLocale locale;
    const auto draw = [&](QChartView* view, const QString& title, const QColor& colour,
                          auto valueOf) {
        QChart* chart = view->chart();
        chart->removeAllSeries();
        for (QAbstractAxis* axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
        chart->setTitle(title);
        auto* line = new QLineSeries;
        auto* dots = new QScatterSeries;
        line->setColor(colour);
        dots->setColor(colour);
        dots->setBorderColor(colour);
        dots->setMarkerSize(points.size() > 60 ? 4 : 7);
        double top = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const ProgressPoint& p = points[i];
            // Per session along a running number: sittings of one day do
            // not bunch up; per day along the calendar.
            const double x =
                perSession_ ? double(i + 1)
                            : double(p.day.startOfDay().addSecs(12 * 3600).toMSecsSinceEpoch());
            const double y = valueOf(p);
            top = std::max(top, y);
            line->append(x, y);
            dots->append(x, y);
        }
        chart->addSeries(line);
        chart->addSeries(dots);
        auto* yAxis = new QValueAxis;
        yAxis->setRange(0, std::max(top * 1.05, 1.0));
        yAxis->applyNiceNumbers();
        yAxis->setLabelFormat(yAxis->max() < 5 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
        chart->addAxis(yAxis, Qt::AlignLeft);
        QAbstractAxis* xAxis = nullptr;
        if (perSession_) {
            auto* axis = new QValueAxis;
            axis->setRange(0.5, double(points.size()) + 0.5);
            axis->setLabelFormat(QStringLiteral("%.0f"));
            axis->setTickCount(std::min<int>(int(points.size()), 8) + 1);
            xAxis = axis;
        } else {
            auto* axis = new QDateTimeAxis;
            axis->setRange(from, to);
            axis->setFormat(locale.dateFormat(QLocale::ShortFormat)
                                .remove(QRegularExpression(QStringLiteral("[^dM]*y+[^dM]*"))));
            axis->setTickCount(std::clamp(int(first.daysTo(setup_.today)) + 2, 2, 8));
            xAxis = axis;
        }
        chart->addAxis(xAxis, Qt::AlignBottom);
        for (QAbstractSeries* s :
             {static_cast<QAbstractSeries*>(line), static_cast<QAbstractSeries*>(dots)}) {
            s->attachAxis(xAxis);
            s->attachAxis(yAxis);
        }
    };
    draw(speedChart_, text("9118"), QColor(40, 100, 180),
         [](const ProgressPoint& p) { return p.speed; });
    draw(errorChart_, text("9119"), QColor(200, 60, 50),
         [](const ProgressPoint& p) { return p.errorRate() * 100; });
}

void frmStatistiche::fillKeys(const std::vector<CharacterStats>& characters) {
    const KeyboardHeat heat = keyboardHeat(characters);
    std::array<uint32_t, 63> colours{};
    std::array<QString, 63> tips;
    for (int k = 0; k < kHeatKeyCount; ++k) {
        // Enter's upper part shows what its lower part counted.
        const KeyHeat& h = heat[size_t(k == KeyEnterUpper ? heatKeyOf(U'\r') : k)];
        colours[size_t(k)] = bgrFromColour(heatColour(h));
        tips[size_t(k)] = heatToolTip(h, setup_.lookup);
    }
    keyboard_->ShowHeatMap(colours, tips);

    const std::vector<CharacterStats> weakest = weakestCharacters(characters);
    weakest_->setRowCount(int(weakest.size()));
    for (int row = 0; row < int(weakest.size()); ++row) {
        const CharacterStats& c = weakest[size_t(row)];
        QStringList instead;
        for (size_t i = 0; i < c.typedInstead.size() && i < 3; ++i)
            instead << characterLabel(c.typedInstead[i].first, setup_.lookup);
        auto* first = cell(characterLabel(c.character, setup_.lookup));
        first->setBackground(heatColour(c.errorRate()));
        first->setTextAlignment(Qt::AlignCenter);
        weakest_->setItem(row, 0, first);
        weakest_->setItem(row, 1, cell(QString::number(c.keystrokes), true));
        weakest_->setItem(row, 2, cell(QString::number(c.errors), true));
        weakest_->setItem(row, 3, cell(percentText(c.errorRate()), true));
        weakest_->setItem(row, 4, cell(instead.join(QStringLiteral("  "))));
    }

    const FingerMap map([ergonomic = setup_.ergonomic](int key) {
        return FingerKind(int(fingerOf(key, ergonomic)));
    });
    static const char* const kFingerNames[kFingerIdCount] = {"9138", "9139", "9140", "9141", "9142",
                                                             "9143", "9144", "9145", "9146"};
    const std::vector<FingerStats> ranked = fingersByErrorRate(characters, map);
    fingers_->setRowCount(int(ranked.size()));
    for (int row = 0; row < int(ranked.size()); ++row) {
        const FingerStats& f = ranked[size_t(row)];
        auto* name = cell(text(kFingerNames[int(f.finger)]));
        name->setToolTip(text("9131").arg(f.keystrokes) + QLatin1Char('\n') +
                         text("9132").arg(f.errors).arg(percentText(f.errorRate())));
        fingers_->setItem(row, 0, name);
        auto* rate = cell(percentText(f.errorRate()), true);
        rate->setBackground(heatColour(f.errorRate()));
        fingers_->setItem(row, 1, rate);
    }
}

}  // namespace tastolino
