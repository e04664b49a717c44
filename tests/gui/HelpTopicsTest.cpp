#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "FlexGrid.h"
#include "HelpKeyFilter.h"
#include "MaintenanceContext.h"
#include "ProgramFixture.h"
#include "frmAbout.h"
#include "frmOptionen.h"
#include "frmUmtauschkurse.h"
#include "frmWeitereW.h"

namespace kursomatik::testing {
namespace {

class HelpTopics : public ProgramTest {
  protected:
    // F1 as the window system delivers it to the focused widget: through the application.
    void pressF1(QWidget* widget) {
        QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
        QCoreApplication::sendPostedEvents(widget, QEvent::KeyPress);
    }

    QWidget* modalWindow(const char* name) {
        for (auto& window : windows_.modal) {
            if (window && window->objectName() == QLatin1String(name)) return window;
        }
        ADD_FAILURE() << name << " was not shown";
        return nullptr;
    }
};

TEST_F(HelpTopics, F1OpensTheTopicOfTheWindowThatHasTheFocus) {
    writeTable({kEuro, kDeutscheMark, kDollar});
    writeIni("[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\n");
    WexlorEingabe& w = start();
    HelpKeyFilter filter(windows_);
    qApp->installEventFilter(&filter);
    w.aboutWindow = [this](QWidget* owner) { showAboutWindow(windows_, owner); };
    openRecordEditor(w.maintenance(), 1, &w);
    w.InfoMorvalent_Click();

    struct Case {
        const char* window;
        QWidget* widget;
        int topic;
    };
    QWidget* editor = modalWindow("frmEingabe2");
    QWidget* about = modalWindow("frmAbout");
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(about, nullptr);
    const Case cases[] = {
        {"WexlorEingabe", w.txtWertEingabe, 11},
        {"frmOptionen", w.options()->txtstart, 7},
        {"frmUmtauschkurse", w.memberWindow()->grdTable, 3},
        {"frmWeitereW", w.otherWindow()->grdTable2, 3},
        {"frmEingabe2", editor, 3},
        {"frmAbout", about->findChild<QPushButton*>("cmdOK"), 11},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.widget, nullptr) << c.window;
        windows_.helpTopics.clear();
        pressF1(c.widget);
        EXPECT_EQ(windows_.helpTopics, std::vector<int>{c.topic}) << c.window;
    }
}

}  // namespace
}  // namespace kursomatik::testing
