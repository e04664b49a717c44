#include <QApplication>

#include "Program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    kursomatik::Program program;
    if (!program.start()) return 0;
    return QApplication::exec();
}
