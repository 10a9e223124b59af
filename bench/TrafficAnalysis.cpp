#include "TrafficAnalysis.h"

TrafficAnalysis analyseTraffic(const QList<RecordingSerialPort::Passage>& passages, qint64 byteNs,
                               qint64 prescribedWaitNs)
{
    TrafficAnalysis analysis;
    qint64 peerNs = 0;
    qint64 programNs = 0;
    // Each write opens an exchange that lasts until the last chunk received before the next write.
    const RecordingSerialPort::Passage* opened = nullptr;
    const RecordingSerialPort::Passage* lastIn = nullptr;
    qint64 bytesInSinceWrite = 0;
    const auto closeExchange = [&](qint64 allowedNs) {
        if (opened && lastIn && lastIn->atNs > opened->atNs)
            peerNs += std::max<qint64>(0, lastIn->atNs - opened->atNs -
                                              (opened->bytes + bytesInSinceWrite) * byteNs - allowedNs);
    };
    for (const RecordingSerialPort::Passage& passage : passages) {
        if (passage.written) {
            analysis.bytesOut += passage.bytes;
            // A write after received bytes answers them; one after the program's own write is timer-driven.
            if (lastIn && (!opened || lastIn->atNs > opened->atNs))
                programNs += passage.atNs - lastIn->atNs;
            closeExchange(0);
            opened = &passage;
            bytesInSinceWrite = 0;
        } else {
            analysis.bytesIn += passage.bytes;
            bytesInSinceWrite += passage.bytes;
            lastIn = &passage;
        }
    }
    closeExchange(prescribedWaitNs);
    analysis.programSeconds = double(programNs) / 1e9;
    analysis.peerSeconds = double(peerNs) / 1e9;
    return analysis;
}
