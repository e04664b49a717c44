// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/frmKursverlauf.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QClipboard>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "chart/RateChartView.h"
#include "history/DayConversion.h"
#include "platform/Utf8.h"
#include "platform/qt/Controls.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {

// The range's days and rates for the table tab; a model, so that thousands of rows cost nothing until
// they are looked at.
class RangeTableModel : public QAbstractTableModel {
  public:
    RangeTableModel(QObject* parent, std::function<QString(const CrossRate&, int)> cell, QStringList headers)
        : QAbstractTableModel(parent), cell_(std::move(cell)), headers_(std::move(headers)) {}
    void show(std::span<const CrossRate> points) {
        beginResetModel();
        points_ = points;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(points_.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && index.column() == 1)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        return cell_(points_[static_cast<std::size_t>(index.row())], index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return headers_.value(section);
    }

  private:
    std::span<const CrossRate> points_;
    std::function<QString(const CrossRate&, int)> cell_;
    QStringList headers_;
};

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QDate qdate(const CivilDate& day) {
    return {day.year, day.month, day.day};
}

const QString kHowToFill = QStringLiteral(
    "Es ist noch kein Kursverlauf gespeichert. Laden Sie die Datei der Europäischen Zentralbank mit allen "
    "Tagen seit 1999, eurofxref-hist.zip, und übernehmen Sie sie unter „Wechselkurse“ → „Weitere "
    "Währungen“ mit „Kurse importieren...“. Danach zeigt dieses Fenster den Verlauf.");

}  // namespace

frmKursverlauf::frmKursverlauf(ChartRequest request, WindowSystem& windows, QWidget* parent)
    : QDialog(parent), request_(std::move(request)), windows_(windows) {
    setObjectName(QStringLiteral("frmKursverlauf"));
    setWindowTitle(QStringLiteral("Kursverlauf"));
    setProperty("helpTopic", 18);
    request_.von = utf8::toUpper(request_.von);
    request_.nach = utf8::toUpper(request_.nach);
    build();
    load();
    optAlles->setChecked(true);
    showRange(ChartRange::All);
    const CivilDate last = pair_.points.empty() ? request_.regional.currentDate() : pair_.points.back().day;
    dtpDatum->setDate(qdate(last));
    convertOnChosenDay();
}

frmKursverlauf::~frmKursverlauf() = default;

void frmKursverlauf::build() {
    Controls make(this);
    const QString von = qs(request_.von), nach = qs(request_.nach);
    lblPaar = make.label("lblPaar", nach + QStringLiteral(" je 1 ") + von);
    tabAnsicht = make.add(new QTabWidget(this), {"tabAnsicht", {}, QStringLiteral("Ansicht")});
    stkDiagramm = new QStackedWidget(tabAnsicht);
    chtVerlauf = make.add(new RateChartView(stkDiagramm, request_.regional.decimalSeparator == ","),
                          {"chtVerlauf",
                           QStringLiteral("Pfeiltasten links und rechts: Tag für Tag; Pos1, Ende: erster, "
                                          "letzter Tag."),
                           QStringLiteral("Kursverlauf, Diagramm")});
    lblHinweis = make.label("lblHinweis", {});
    lblHinweis->setParent(stkDiagramm);
    lblHinweis->setWordWrap(true);
    lblHinweis->setAlignment(Qt::AlignCenter);
    lblHinweis->setMargin(24);
    stkDiagramm->addWidget(chtVerlauf);
    stkDiagramm->addWidget(lblHinweis);
    grdVerlauf =
        make.add(new QTableView(tabAnsicht), {"grdVerlauf", {}, QStringLiteral("Kursverlauf, Tabelle")});
    model_ = new RangeTableModel(
        this,
        [this](const CrossRate& p, int column) { return column == 0 ? dayText(p.day) : rateText(p.rate); },
        {QStringLiteral("Tag"), QStringLiteral("Kurs (") + lblPaar->text() + QLatin1Char(')')});
    grdVerlauf->setModel(model_);
    grdVerlauf->setTabKeyNavigation(false);
    grdVerlauf->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdVerlauf->verticalHeader()->hide();
    grdVerlauf->horizontalHeader()->setStretchLastSection(true);
    tabAnsicht->addTab(stkDiagramm, QStringLiteral("&Diagramm"));
    tabAnsicht->addTab(grdVerlauf, QStringLiteral("&Tabelle"));
    tabAnsicht->tabBar()->setAccessibleName(tabAnsicht->accessibleName());

    auto* fraZeitraum = make.add(new QGroupBox(QStringLiteral("Zeitraum"), this), {"fraZeitraum"});
    optMonat = make.add(new QRadioButton(QStringLiteral("1 &Monat"), fraZeitraum), {"optMonat"});
    optJahr = make.add(new QRadioButton(QStringLiteral("1 &Jahr"), fraZeitraum), {"optJahr"});
    optFuenfJahre = make.add(new QRadioButton(QStringLiteral("&5 Jahre"), fraZeitraum), {"optFuenfJahre"});
    optAlles = make.add(new QRadioButton(QStringLiteral("A&lles"), fraZeitraum), {"optAlles"});
    auto* ranges = new QVBoxLayout(fraZeitraum);
    for (QRadioButton* option : {optMonat, optJahr, optFuenfJahre, optAlles}) ranges->addWidget(option);
    lblTief = make.label("lblTief", {});
    lblHoch = make.label("lblHoch", {});
    lblLetzter = make.label("lblLetzter", {});
    lblCursor = make.label("lblCursor", {});
    for (QLabel* label : {lblTief, lblHoch, lblLetzter, lblCursor}) label->setWordWrap(true);
    // A screen reader announces the cursor's day as it moves.
    lblCursor->setAccessibleName(QStringLiteral("Tag unter dem Zeiger"));

    dtpDatum =
        make.add(new QDateEdit(this),
                 {"dtpDatum", QStringLiteral("Der Tag, mit dessen Kursen der Betrag umgerechnet wird.")});
    make.label("lblDatum", QStringLiteral("&Umrechnen am:"), {}, dtpDatum);
    dtpDatum->setDisplayFormat(qs(request_.regional.shortDatePattern));
    dtpDatum->setCalendarPopup(true);
    dtpDatum->setDateRange(QDate(1999, 1, 1), qdate(request_.regional.currentDate()));
    lblUmrechnung = make.label("lblUmrechnung", {});
    lblUmrechnung->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblUmrechnung->setWordWrap(true);  // a day without a rate is told in two sentences
    cmdSpeichern = make.button({"cmdSpeichern", QStringLiteral("Das Diagramm als PNG-Bild speichern.")},
                               QStringLiteral("Bild &speichern..."));
    cmdKopieren = make.button(
        {"cmdKopieren", QStringLiteral("Tage und Kurse des Zeitraums als Text mit Tabulatoren kopieren.")},
        QStringLiteral("Daten &kopieren"));
    auto* cmdHilfe = make.button({"cmdHilfe", {}, QStringLiteral("Hilfe")}, QStringLiteral("&?"));
    auto* cmdSchliessen = make.button({"cmdSchliessen"}, QStringLiteral("S&chließen"));

    auto* side = new QVBoxLayout;
    side->addWidget(fraZeitraum);
    for (QLabel* label : {lblTief, lblHoch, lblLetzter, lblCursor}) side->addWidget(label);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(tabAnsicht, 1);
    middle->addLayout(side);
    auto* day = new QHBoxLayout;
    day->addWidget(findChild<QLabel*>(QStringLiteral("lblDatum")));
    day->addWidget(dtpDatum);
    day->addWidget(lblUmrechnung, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdSpeichern, cmdKopieren, cmdHilfe}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdSchliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPaar);
    layout->addLayout(middle, 1);
    layout->addLayout(day);
    layout->addLayout(buttons);
    side->setContentsMargins(0, 0, 0, 0);
    lblTief->setMinimumWidth(220);
    resize(900, 540);
    // The arrow keys move the chart's cursor from the start; Tab leads on from there.
    chtVerlauf->setFocus();
    // From the tab bar itself: chained from the tab widget, Tab would go round between the two.
    chainTabs({tabAnsicht->tabBar(), chtVerlauf, grdVerlauf, optMonat, optJahr, optFuenfJahre, optAlles,
               dtpDatum, cmdSpeichern, cmdKopieren, cmdHilfe, cmdSchliessen});

    const std::pair<QRadioButton*, ChartRange> choices[] = {{optMonat, ChartRange::Month},
                                                            {optJahr, ChartRange::Year},
                                                            {optFuenfJahre, ChartRange::FiveYears},
                                                            {optAlles, ChartRange::All}};
    for (const auto& [option, range] : choices) {
        connect(option, &QRadioButton::toggled, this, [this, range = range](bool on) {
            if (on) showRange(range);
        });
    }
    chtVerlauf->moved = [this](std::size_t index) { showCursor(index); };
    connect(dtpDatum, &QDateEdit::dateChanged, this, [this] { convertOnChosenDay(); });
    connect(cmdSpeichern, &QPushButton::clicked, this, [this] { savePicture(); });
    connect(cmdKopieren, &QPushButton::clicked, this, [this] { copyData(); });
    connect(cmdHilfe, &QPushButton::clicked, this, [this] { windows_.postF1(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);
}

// The pair's whole history, read once: the ranges are parts of it.
void frmKursverlauf::load() {
    auto opened = HistoryStore::openForReading(request_.historyFile);
    if (!opened) {
        problem_ = qs(opened.error());
        return;
    }
    store_.emplace(std::move(*opened));
    auto pair = pairHistory(*store_, request_.von, request_.nach, request_.fixedVon, request_.fixedNach,
                            request_.regional.currentDate());
    if (!pair) {
        problem_ = qs(pair.error());
        return;
    }
    pair_ = std::move(*pair);
    if (pair_.points.empty() && store_->empty()) {
        problem_ = kHowToFill;
    } else if (pair_.points.empty()) {
        problem_ = QStringLiteral("Der Kursverlauf hat für %1 und %2 keinen gemeinsamen Tag.")
                       .arg(qs(request_.von), qs(request_.nach));
    }
    // A damaged file was moved aside on opening: the user learns why the history starts again.
    if (!store_->notice().empty()) problem_ = qs(store_->notice()) + QStringLiteral("\n\n") + kHowToFill;
}

void frmKursverlauf::showRange(ChartRange range) {
    const RangeIndex index = rangeOf(pair_.points, range);
    range_ = std::span<const CrossRate>(pair_.points).subspan(index.first, index.end - index.first);
    model_->show(range_);
    QString hint = problem_;
    if (hint.isEmpty() && pair_.fixedSince && !range_.empty() && range_.front().day >= *pair_.fixedSince) {
        // Only where the history holds the floating days before the fixing is there more to see.
        const bool before = pair_.points.front().day < *pair_.fixedSince;
        hint = QStringLiteral(
                   "Seit dem %1 sind %2 und %3 fest an den Euro gebunden: 1 %2 = %4 %3. In "
                   "diesem Zeitraum ändert sich der Kurs nicht%5")
                   .arg(dayText(*pair_.fixedSince), qs(request_.von), qs(request_.nach),
                        rateText(pair_.fixedRate),
                        before ? QStringLiteral("; „Alles“ zeigt den Verlauf davor.") : QStringLiteral("."));
    }
    lblHinweis->setText(hint);
    stkDiagramm->setCurrentWidget(hint.isEmpty() ? static_cast<QWidget*>(chtVerlauf) : lblHinweis);
    cmdSpeichern->setEnabled(hint.isEmpty());
    cmdKopieren->setEnabled(!range_.empty());
    const auto figures = figuresOf(range_);
    const auto line = [this](const char* what, const CrossRate& p) {
        return QString::fromUtf8(what) + rateText(p.rate) + QStringLiteral(" am ") + dayText(p.day);
    };
    lblTief->setText(figures ? line("Tiefster Kurs: ", figures->lowest) : QString());
    lblHoch->setText(figures ? line("Höchster Kurs: ", figures->highest) : QString());
    lblLetzter->setText(figures ? line("Letzter Kurs: ", figures->last) : QString());
    lblCursor->clear();
    if (hint.isEmpty()) chtVerlauf->showRates(range_, pair_.fixedSince);
}

void frmKursverlauf::showCursor(std::size_t index) {
    const CrossRate& p = range_[index];
    lblCursor->setText(dayText(p.day) + QStringLiteral(": 1 ") + qs(request_.von) + QStringLiteral(" = ") +
                       rateText(p.rate) + QLatin1Char(' ') + qs(request_.nach));
    grdVerlauf->selectRow(static_cast<int>(index));
}

void frmKursverlauf::convertOnChosenDay() {
    const QDate chosen = dtpDatum->date();
    const CivilDate day{chosen.year(), chosen.month(), chosen.day()};
    DaySources sources;
    sources.fixedRate = [this](const std::string& code) -> Result<Money> {
        const auto rate = code == request_.von ? request_.fixedVon : request_.fixedNach;
        const auto scaled =
            fixedRateOf(rate ? std::optional(*rate * kRateScale) : std::nullopt, request_.regional);
        if (!scaled) return Status::fail("Die Tabelle hat für " + code + " keinen brauchbaren festen Kurs.");
        return *scaled;
    };
    sources.history = [this]() -> Result<const HistoryStore*> {
        if (!store_) return Status::fail(problem_.toStdString());
        return &*store_;
    };
    sources.emptyHint = " Der Kursverlauf ist noch leer.";
    const auto converted = convertOnDay(request_.betragText, request_.von, request_.nach, day,
                                        request_.dStellen1, request_.dStellen2, sources, request_.regional);
    if (!converted) return lblUmrechnung->setText(qs(converted.error()));
    if (converted->shown.formatMessage) return lblUmrechnung->setText(qs(std::string(kFormatMessage)));
    QString text = QStringLiteral("%1 %2 am %3 = %4 %5")
                       .arg(qs(request_.betragText).trimmed(), qs(converted->from.code), dayText(day),
                            qs(*converted->shown.wertText), qs(converted->to.code));
    // The day of a rate from before the chosen one (a weekend, a holiday) is named.
    std::vector<const DaySide*> older;
    for (const DaySide* side : {&converted->from, &converted->to}) {
        if (side->rate.kind == DayRate::Kind::Published && side->rate.published != day) older.push_back(side);
    }
    if (older.size() == 1 || (older.size() == 2 && older[0]->rate.published == older[1]->rate.published)) {
        text += QStringLiteral(", Kurs vom ") + dayText(older[0]->rate.published);
    } else if (older.size() == 2) {
        for (const DaySide* side : older)
            text += QStringLiteral(", Kurs ") + qs(side->code) + QStringLiteral(" vom ") +
                    dayText(side->rate.published);
    }
    lblUmrechnung->setText(text);
}

void frmKursverlauf::savePicture() {
    const QString suggested =
        QStringLiteral("Kursverlauf %1-%2.png").arg(qs(request_.von), qs(request_.nach));
    const QString file = windows_.chooseSaveFile(this, QStringLiteral("Bild speichern"), suggested,
                                                 QStringLiteral("PNG-Bilder (*.png)"));
    if (file.isEmpty()) return;
    if (!chtVerlauf->grab().save(file, "PNG"))
        windows_.message(this,
                         QStringLiteral("Das Bild konnte nicht nach „%1“ geschrieben werden.").arg(file));
}

void frmKursverlauf::copyData() {
    QString text = QStringLiteral("Tag\t") + lblPaar->text() + QLatin1Char('\n');
    for (const CrossRate& p : range_)
        text += dayText(p.day) + QLatin1Char('\t') + rateText(p.rate) + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(text);
}

QString frmKursverlauf::dayText(const CivilDate& day) const {
    return qs(formatShortDate(day, request_.regional.shortDatePattern));
}

QString frmKursverlauf::rateText(double rate) const {
    return qs(crossRateText(rate, request_.regional));
}

}  // namespace kursomatik
