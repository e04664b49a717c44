// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "chart/ChartRequest.h"
#include "history/PairHistory.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace kursomatik {

class RateChartView;
class RangeTableModel;
class WindowSystem;

// "Kursverlauf": the rate of the output currency per unit of the input currency since 1999, as a
// chart and as a table, with the amount of the main window converted on a chosen day. Modeless; it
// reads the history once on opening and keeps no link to the main window.
class frmKursverlauf : public QDialog {
    Q_OBJECT
  public:
    frmKursverlauf(ChartRequest request, WindowSystem& windows, QWidget* parent = nullptr);
    ~frmKursverlauf() override;

    void showRange(ChartRange range);

  private:
    void build();
    void load();
    void showCursor(std::size_t index);
    void convertOnChosenDay();
    void savePicture();
    void copyData();
    QString dayText(const CivilDate& day) const;
    QString rateText(double rate) const;

    ChartRequest request_;
    WindowSystem& windows_;
    std::optional<HistoryStore> store_;
    PairHistory pair_;
    QString problem_;  // why there is no chart at all
    std::span<const CrossRate> range_;

    QLabel* lblPaar;
    QTabWidget* tabAnsicht;
    QStackedWidget* stkDiagramm;
    RateChartView* chtVerlauf;
    QLabel* lblHinweis;
    QTableView* grdVerlauf;
    RangeTableModel* model_;
    QRadioButton* optMonat;
    QRadioButton* optJahr;
    QRadioButton* optFuenfJahre;
    QRadioButton* optAlles;
    QLabel* lblTief;
    QLabel* lblHoch;
    QLabel* lblLetzter;
    QLabel* lblCursor;
    QDateEdit* dtpDatum;
    QLabel* lblUmrechnung;
    QPushButton* cmdSpeichern;
    QPushButton* cmdKopieren;
};

}  // namespace kursomatik
