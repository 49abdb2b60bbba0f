#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct _xmlDoc;

// A camera a day off is a wrong date, not a wrong zone.
constexpr int kMaxClockOffsetMinutes = 23 * 60 + 59;

// The XML of the library catalogue: a root element "Videos" holding one empty
// element "Video" per video, whose attribute "Path" is the video's path and,
// when the camera's clock needs correcting, "ClockOffset" ("+08:00", "-00:30").
class CatalogueDocument {
public:
    enum class Parse {
        WellFormed,
        Repaired,  // read only through the lenient parser's repairs
    };

    // A new document whose root element has that name (version 1.0, UTF-8).
    static CatalogueDocument createXmlDocument(const QString& rootName);
    // The document in bytes, read leniently and without touching the network.
    // None when nothing usable comes out or the root element is not "Videos".
    static std::optional<CatalogueDocument> parse(const QByteArray& bytes);

    Parse parseResult() const { return result; }

    // The "Path" of every "Videos/Video", in document order.
    QStringList paths() const;
    bool contains(const QString& path) const;
    // Appends an entry for path as the root element's last child.
    void append(const QString& path);
    // Removes every entry for path; returns how many there were.
    int remove(const QString& path);

    // The minutes to add to the camera's clock for path; 0 when none is set
    // or the stored one is unusable.
    int clockOffset(const QString& path) const;
    // Sets it on every entry for path, 0 removing it; false when there is none.
    bool setClockOffset(const QString& path, int minutes);

    // Pretty-printed UTF-8, one element per line.
    QByteArray serialise() const;

private:
    struct FreeDoc {
        void operator()(_xmlDoc* doc) const;
    };
    CatalogueDocument(_xmlDoc* doc, Parse result);

    std::unique_ptr<_xmlDoc, FreeDoc> doc;
    Parse result = Parse::WellFormed;
};
