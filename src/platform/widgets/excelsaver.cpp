#include "excelsaver.h"

#include "datagrid.h"
#include "hooks.h"

#include <QFileDialog>
#include <QFileInfo>

#include <exception>

namespace {

ExcelSaver::Chooser &chooser()
{
    static ExcelSaver::Chooser instance;
    return instance;
}

}  // namespace

void ExcelSaver::setChooser(Chooser c)
{
    chooser() = std::move(c);
}

QString ExcelSaver::dialogFilter()
{
    // "Excel|*.xls*" of the windows, in the notation QFileDialog takes.
    return QStringLiteral("Excel (*.xls*)");
}

QString ExcelSaver::workbookPath(const QString &chosen)
{
    const QFileInfo info(chosen);
    const QString suffix = info.suffix().toLower();
    if (suffix.isEmpty())
        return chosen + QStringLiteral(".xlsx");
    if (suffix == QLatin1String("xls"))
        return chosen + u'x';
    return chosen;
}

bool ExcelSaver::save(DataGrid &grid, QWidget *parent)
{
    const QString chosen = chooser()
        ? chooser()(parent, dialogFilter())
        : QFileDialog::getSaveFileName(parent, QString(), QString(), dialogFilter());
    if (chosen.isEmpty())
        return false;
    try {
        grid.exportToXlsx(workbookPath(chosen));
    } catch (const std::exception &e) {
        Platform::reportError(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}
