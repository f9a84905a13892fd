#include "app/AppMessage.h"

#include "app/PelnixDlg.h"
#include "skin/ShowMessage.h"

void ShowAppMessage(const char* utf8) {
    ShowMessage(g_pMainDlg, QString::fromUtf8(utf8));
}
