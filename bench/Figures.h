#pragma once

#include <QList>
#include <QString>

// The repeated runs of one measurement: wall time, bytes on the wire and the floor of each.
struct Figures {
    QString name;
    QList<double> wallSeconds;
    QList<double> floorSeconds;
    QList<qint64> wireBytes;
    QList<double> programSeconds; // empty where the benchmark cannot see inside
    QList<double> peerSeconds;
    QString failure; // why a run failed; empty when all succeeded
};

double minimum(QList<double> values);
double median(QList<double> values);

// A plain table: one row per measurement with min and median of each figure.
QString tableOf(const QList<Figures>& rows);
