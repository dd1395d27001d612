// The applicant's data on the legalization tab: saved clauses, the document
// check and the electronic-ID import.
#include "app/Messages.h"
#include "app/main.h"
#include "settings/AppError.h"
#include "settings/DataDir.h"

#include <QFile>

void TForm1::loadSavedClauses() {
    QFile file(DataDir::savedClausesFile());
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(file.fileName(), file.errorString()));
}

void TForm1::ComboBox14KeyUp(int) {}
void TForm1::ComboBox14Select() {}
void TForm1::ComboBox7Change() {}
void TForm1::Edit1Change() {}
void TForm1::Edit4Change() {}
void TForm1::Timer1Timer() {}
void TForm1::Button8Click() {}
void TForm1::BitBtn1Click() {}

void TForm1::ulozDolozkuLegalizace() {}
