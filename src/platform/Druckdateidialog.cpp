#include "Druckdateidialog.h"

#include "Printers.h"

namespace platform {

Druckdateidialog::Druckdateidialog(FileDialogs& dialoge, const QString& vorschlag)
    : dialog(dialoge, QStringLiteral("PDF (*.pdf)|*.pdf"), vorschlag)
{
}

bool Druckdateidialog::wählen(Printers& drucker)
{
    if (drucker.current() != PdfDatei)
        return true;
    const QString name = dialog.speichern();
    drucker.setDatei(name);
    return !name.isEmpty();
}

} // namespace platform
