#include "MaintenanceFixture.h"

#include <QTest>

namespace kursomatik::testing {

void MaintenanceTest::doubleClickRow(FlexGrid* grid, int row) {
    // A real double-click on the name cell: the first click arrives on its own, then the double-click.
    // Grid row r is table row r - 1.
    const QModelIndex index = grid->model()->index(row - 1, 1);
    grid->scrollTo(index);
    const QPoint centre = grid->visualRect(index).center();
    ASSERT_TRUE(grid->viewport()->rect().contains(centre)) << "row " << row << " is not on screen";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

}  // namespace kursomatik::testing
