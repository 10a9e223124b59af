#include "Klingport.h"

// The image a new device carries, and the call-button addresses its door stations answer with.

namespace device {

namespace {

constexpr int PhoneBookStart = 256;
constexpr int EntrySize = 64;
constexpr int NamesStart = 4096;
constexpr int NameSize = 20;

void put(QByteArray& image, int offset, QByteArrayView text)
{
    image.replace(offset, text.size(), text.toByteArray());
}

struct SampleEntry {
    int number;
    const char* name;
    int doorStation;
    const char* dayNumber;
    bool dayAnsweringMachine;
    const char* nightNumber;
    bool nightAnsweringMachine;
};

// A small house: family and practice at door station 1, caretaker and office at 2, reception at 3.
constexpr SampleEntry sampleEntries[] = {
    {1, "Familie Schmidt", 1, "21", false, "01701234567", false},
    {2, "Praxis Dr. Weber", 1, "0307654321", false, "0307654300", true},
    {3, "Hausmeister", 2, "0301112233", false, "0301234567", true},
    {4, "Buero Koenig", 2, "040998877", false, "", false},
    {10, "Empfang", 3, "20", false, "20", false},
};

} // namespace

QByteArray Klingport::callButtonAddress(int doorStation, int entry)
{
    // Door station n sits at bus address 1A 2B 3C 4C+n; the button's subaddress is the entry number.
    QByteArray address("\x1A\x2B\x3C", 3);
    address += char(quint8(0x4C + doorStation));
    address += char(quint8(entry));
    address += QByteArray(3, '\0');
    return address;
}

QByteArray Klingport::callButtonAnswer(int doorStation, int entry)
{
    const QByteArray address = callButtonAddress(doorStation, entry);
    QByteArray answer;
    for (int i = 0; i < 5; ++i)
        answer += address.mid(i, 1).toHex().toUpper() + ' ';
    return answer + "\r\n";
}

QByteArray Klingport::factoryImage()
{
    QByteArray image(ImageSize, '\0');
    image[1] = 0x01;        // Nebenstellenanschluss
    put(image, 2, "030");   // LokaleRufzeit
    put(image, 6, "030");   // ExterneRufzeit
    put(image, 10, "060");  // Türgesprächszeit
    put(image, 16, "5183"); // PIN
    image[64] = ' ';        // no answering machine on the master forwarding

    for (const SampleEntry& e : sampleEntries) {
        const int record = PhoneBookStart + EntrySize * (e.number - 1);
        put(image, record, callButtonAddress(e.doorStation, e.number));
        image[record + 8] = char('0' + e.doorStation);
        image[record + 10] = e.dayAnsweringMachine ? 'A' : ' ';
        put(image, record + 11, e.dayNumber);
        image[record + 36] = e.nightAnsweringMachine ? 'A' : ' ';
        put(image, record + 37, e.nightNumber);
        put(image, NamesStart + NameSize * (e.number - 1), e.name);
    }
    return image;
}

} // namespace device
