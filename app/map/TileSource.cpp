#include "TileSource.h"

#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString kOsmCredit =
    QStringLiteral(R"(&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> contributors)");

// The host part of a template, which may hold {s}: between "://" and the
// next '/' or ':'.
QString TemplateHost(const QString& urlTemplate) {
    const qsizetype start = urlTemplate.indexOf(QStringLiteral("://"));
    if (start < 0) return {};
    const QString rest = urlTemplate.mid(start + 3);
    return rest.left(rest.indexOf(QRegularExpression(QStringLiteral("[/:]"))));
}

}  // namespace

const QVector<TileSource>& BuiltInTileSources() {
    static const QVector<TileSource> sources{
        {QStringLiteral("openstreetmap"), QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"), QString(),
         19, kOsmCredit},
        {QStringLiteral("opentopomap"), QStringLiteral("https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png"),
         QStringLiteral("abc"), 17,
         kOsmCredit + QStringLiteral(R"(, SRTM | Map style: &copy; <a href="https://opentopomap.org">OpenTopoMap</a> (CC-BY-SA))")},
        {QStringLiteral("cyclosm"), QStringLiteral("https://{s}.tile-cyclosm.openstreetmap.fr/cyclosm/{z}/{x}/{y}.png"),
         QStringLiteral("abc"), 20,
         QStringLiteral(R"(<a href="https://www.cyclosm.org">CyclOSM</a> | Map data: )") + kOsmCredit},
        {QStringLiteral("humanitarian"), QStringLiteral("https://{s}.tile.openstreetmap.fr/hot/{z}/{x}/{y}.png"),
         QStringLiteral("abc"), 19,
         kOsmCredit + QStringLiteral(R"(, tiles style by <a href="https://www.hotosm.org/">Humanitarian OpenStreetMap Team</a>)"
                                     R"( hosted by <a href="https://openstreetmap.fr/">OpenStreetMap France</a>)")},
    };
    return sources;
}

const TileSource& DefaultTileSource() { return BuiltInTileSources().front(); }

std::optional<TileSource> BuiltInTileSource(const QString& id) {
    for (const TileSource& source : BuiltInTileSources()) {
        if (source.id == id) return source;
    }
    return std::nullopt;
}

std::optional<TileSource> CustomTileSource(const QString& urlTemplate, const QString& attribution) {
    const QString trimmed = urlTemplate.trimmed();
    const bool web = trimmed.startsWith(QLatin1String("https://")) || trimmed.startsWith(QLatin1String("http://"));
    for (const char* part : {"{z}", "{x}", "{y}"}) {
        if (!trimmed.contains(QLatin1String(part))) return std::nullopt;
    }
    if (!web || TemplateHost(trimmed).isEmpty()) return std::nullopt;
    // The text is the user's; it must not become markup in the page.
    return TileSource{QStringLiteral("custom"), trimmed, QStringLiteral("abc"), 19, attribution.toHtmlEscaped()};
}

bool IsTileRequest(const TileSource& source, const QUrl& url) {
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) return false;
    QString pattern = QRegularExpression::escape(TemplateHost(source.urlTemplate));
    pattern.replace(QStringLiteral("\\{s\\}"), QStringLiteral("[A-Za-z0-9-]+"));
    const QRegularExpression host(QRegularExpression::anchoredPattern(pattern),
                                  QRegularExpression::CaseInsensitiveOption);
    return host.match(url.host()).hasMatch();
}

PageCall SetTilesCall(const TileSource& source) {
    QJsonObject options{{QStringLiteral("maxZoom"), source.maxZoom},
                        {QStringLiteral("attribution"), source.attributionHtml}};
    if (!source.subdomains.isEmpty()) options.insert(QStringLiteral("subdomains"), source.subdomains);
    return {QStringLiteral("setTiles"), {source.urlTemplate, options}};
}
