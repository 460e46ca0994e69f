// The least a Qt Widgets program can do for a keystroke: a window with one line edit, nothing
// completed, nothing looked up. bench/startup.sh runs it beside the launcher (TB_FLOOR=1), so
// that what the toolkit itself costs on this machine is measured in the same run.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(190, 40);
    auto *line = new QLineEdit(&window);
    line->setGeometry(2, 2, 150, 20);
    window.show();
    return QApplication::exec();
}
