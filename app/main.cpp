// Scanlore: edit a radio scanner's channel memory and upload it.
#include "app/CScannerApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CScannerApp scanner;
    if (!scanner.InitInstance())
        return 1;
    return scanner.Run();
}
