#pragma once

#include <QString>

#include <functional>

class DataGrid;
class QWidget;

// The "Excel Kaydet" flow of the list windows: a save dialog with the filter
// "Excel|*.xls*", then the grid's export. Tests answer the dialog through setChooser, so no
// modal file dialog opens.
class ExcelSaver
{
public:
    // Returns the chosen path, or an empty text when the user cancels.
    using Chooser = std::function<QString(QWidget *parent, const QString &filter)>;

    static void setChooser(Chooser chooser);  // an empty chooser restores the file dialog
    static QString dialogFilter();            // the filter in the file dialog's notation

    // Asks for a file and exports the grid to it. Cancelling does nothing; a failed export
    // goes to the application's error report. True when a file was written.
    static bool save(DataGrid &grid, QWidget *parent);

    // The file actually written: a name without suffix gets ".xlsx", and ".xls" becomes
    // ".xlsx", since the content is an .xlsx workbook.
    static QString workbookPath(const QString &chosen);
};
