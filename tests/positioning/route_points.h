#pragma once

// Reads a route file back with Qt's XML parser, as another program would: the points of a GPX
// 1.1 track or of a KML line. A document that is not what its kind requires gives none.

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <optional>
#include <vector>

namespace korvex::test {

struct ReadPoint {
    double latitude = 0;
    double longitude = 0;
    QString time; // empty without one
};

inline std::optional<std::vector<ReadPoint>> ReadGpxPoints(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QString kGpx = QStringLiteral("http://www.topografix.com/GPX/1/1");
    QXmlStreamReader xml(&file);
    std::vector<ReadPoint> points;
    QStringList path_here; // the open elements
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (xml.isStartElement()) {
            if (xml.namespaceUri() != kGpx) {
                return std::nullopt;
            }
            path_here << xml.name().toString();
            const QString where = path_here.join('/');
            if (where == "gpx" && (xml.attributes().value("version") != QLatin1String("1.1") ||
                                   xml.attributes().value("creator").isEmpty())) {
                return std::nullopt;
            }
            if (where == "gpx/trk/trkseg/trkpt") {
                points.push_back({xml.attributes().value("lat").toDouble(),
                                  xml.attributes().value("lon").toDouble(),
                                  {}});
            } else if (where == "gpx/trk/trkseg/trkpt/time") {
                points.back().time = xml.readElementText();
                path_here.removeLast();
            } else if (where != "gpx" && where != "gpx/trk" && where != "gpx/trk/trkseg") {
                return std::nullopt; // not in GPX 1.1's place for a track
            }
        } else if (xml.isEndElement()) {
            path_here.removeLast();
        }
    }
    if (xml.hasError()) {
        return std::nullopt;
    }
    return points;
}

inline std::optional<std::vector<ReadPoint>> ReadKmlPoints(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QXmlStreamReader xml(&file);
    std::vector<ReadPoint> points;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("coordinates") &&
            xml.namespaceUri() == QLatin1String("http://www.opengis.net/kml/2.2")) {
            const QStringList tuples = xml.readElementText().split(
                QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            for (const QString& tuple : tuples) {
                const QStringList values = tuple.split(',');
                points.push_back({values.value(1).toDouble(), values.value(0).toDouble(), {}});
            }
        }
    }
    if (xml.hasError()) {
        return std::nullopt;
    }
    return points;
}

} // namespace korvex::test
