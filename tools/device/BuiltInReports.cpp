#include "Klingport.h"

namespace device {

// A morning at the house of the factory image, as the device reports it on the bus monitor.
QList<QByteArray> Klingport::builtInReports()
{
    return {
        // The device comes up and switches its bus stage on.
        "S: A2\r\n",
        "S: A1 FF\r\n",
        // Door station 1, button of entry 1: the local subscriber answers and opens the door.
        "E: 11 1A2B3C4D 01\r\n",
        "S: A0 FF\r\n",
        "T: LOCAL 01 00 00\r\n",
        "E: 21 1A2B3C4D\r\n",
        "S: 21 1A2B3C4D\r\n",
        "S: 31 1A2B3C4D\r\n",
        "S: 20 1A2B3C4D\r\n",
        "S: A0 00\r\n",
        // Door station 2, button of entry 3 at night: the caretaker's number, answering machine on.
        "E: 11 1A2B3C4E 03\r\n",
        "T: DIAL  03 01 01 - 0301234567\r\n",
        "S: 21 1A2B3C4E\r\n",
        "E: 20 1A2B3C4E 03\r\n",
        // Door station 3, button without a number: the master forwarding takes the call.
        "E: 11 1A2B3C4F 07\r\n",
        "T: DIAL  00 00 00 - 01715556677\r\n",
        "S: 20 1A2B3C4F\r\n",
        // An internal call from one flat to another.
        "E: 12 2C5E0011 02\r\n",
        "S: 12 2C5E0012\r\n",
        "E: 22 2C5E0012\r\n",
        "S: 22 2C5E0011\r\n",
        "E: 20 2C5E0011 02\r\n",
        // The staircase light goes on and off again.
        "S: 42 5A000117 FF\r\n",
        "S: 42 5A000117 00\r\n",
        // A known caller rings in: the reception's local phone rings, night variant.
        "S: A3\r\n",
        "T: LOCAL 0A 01 00\r\n",
        // The electrician programs the system and an actuator.
        "E: 01 00000001\r\n",
        "E: 03 5A000117\r\n",
        "E: 02 5A000117\r\n",
        "E: 00 00000001\r\n",
        // A bus tester is plugged in and out; the device switches its bus stage off.
        "S: 81\r\n",
        "S: 82\r\n",
        "S: A1 00\r\n",
    };
}

} // namespace device
