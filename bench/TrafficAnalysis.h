#pragma once

#include "RecordingSerialPort.h"

// What one transfer's recorded traffic says about where its time went.
struct TrafficAnalysis {
    qint64 bytesOut = 0;
    qint64 bytesIn = 0;
    // Time from the last received chunk to the program's write that answers it, summed.
    double programSeconds = 0;
    // Time answers took beyond their bytes' line time and the prescribed waits, summed: the peer's and the
    // ptys' share.
    double peerSeconds = 0;

    qint64 bytesOnWire() const { return bytesOut + bytesIn; }
};

// `prescribedWaitNs` is the peer's allowed pause before its last answer (the device's store time).
TrafficAnalysis analyseTraffic(const QList<RecordingSerialPort::Passage>& passages, qint64 byteNs,
                               qint64 prescribedWaitNs);
