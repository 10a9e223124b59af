#pragma once

#include <QStringList>

namespace platform {

// The installed printers and the current one, which printouts go to.
class Printers {
public:
    virtual ~Printers() = default;
    virtual QStringList installed() const = 0;
    // Empty when no printer is installed.
    virtual QString current() const = 0;
    // Makes the installed printer of that name current; an unknown name changes nothing.
    virtual void setCurrent(const QString& name) = 0;
};

class QtPrinters final : public Printers {
public:
    QtPrinters();
    QStringList installed() const override;
    QString current() const override { return aktueller; }
    void setCurrent(const QString& name) override;

private:
    QString aktueller;
};

} // namespace platform
