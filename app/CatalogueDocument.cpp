#include "CatalogueDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <QRegularExpression>

#include <climits>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

const xmlChar* Xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

const char kRootName[] = "Videos";
const char kEntryName[] = "Video";
const char kPathAttribute[] = "Path";
const char kAllEntries[] = "Videos/Video";
// The path is an XPath variable, never text pasted into the expression, so
// quotes and any other character in a path match as themselves.
const char kEntryForPath[] = "Videos/Video[@Path=$path]";
const char kPathVariable[] = "path";

struct XPathContextFree {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};

// Calls visit for each node the expression selects, in document order.
void ForEachNode(xmlDoc* doc, const char* expression, const QString* path,
                 const std::function<void(xmlNode*)>& visit) {
    std::unique_ptr<xmlXPathContext, XPathContextFree> context(xmlXPathNewContext(doc));
    if (!context) return;
    // Expressions are relative to the document node, as "Videos/Video" reads.
    context->node = reinterpret_cast<xmlNode*>(doc);
    if (path) {
        const QByteArray value = path->toUtf8();
        xmlXPathRegisterVariable(context.get(), Xml(kPathVariable),
                                 xmlXPathNewString(Xml(value.constData())));
    }
    std::unique_ptr<xmlXPathObject, XPathObjectFree> found(
        xmlXPathEvalExpression(Xml(expression), context.get()));
    if (!found || !found->nodesetval) return;
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) visit(found->nodesetval->nodeTab[i]);
}

const char kClockOffsetAttribute[] = "ClockOffset";

std::optional<int> ParseClockOffset(const QString& text) {
    static const QRegularExpression kForm(QStringLiteral("^([+-])(\\d\\d):([0-5]\\d)$"));
    const QRegularExpressionMatch match = kForm.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const int minutes = match.captured(2).toInt() * 60 + match.captured(3).toInt();
    if (minutes > kMaxClockOffsetMinutes) return std::nullopt;
    return match.captured(1) == QLatin1String("-") ? -minutes : minutes;
}

QString ClockOffsetText(int minutes) {
    const int size = std::abs(minutes);
    return QStringLiteral("%1%2:%3")
        .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(size / 60, 2, 10, QLatin1Char('0'))
        .arg(size % 60, 2, 10, QLatin1Char('0'));
}

QString PathOf(xmlNode* entry) {
    xmlChar* value = xmlGetProp(entry, Xml(kPathAttribute));
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return path;
}

}  // namespace

void CatalogueDocument::FreeDoc::operator()(_xmlDoc* doc) const { xmlFreeDoc(doc); }

CatalogueDocument::CatalogueDocument(_xmlDoc* doc, Parse result) : doc(doc), result(result) {}

CatalogueDocument CatalogueDocument::createXmlDocument(const QString& rootName) {
    xmlDoc* doc = xmlNewDoc(Xml("1.0"));
    doc->encoding = xmlStrdup(Xml("UTF-8"));
    const QByteArray name = rootName.toUtf8();
    xmlDocSetRootElement(doc, xmlNewDocNode(doc, nullptr, Xml(name.constData()), nullptr));
    return CatalogueDocument(doc, Parse::WellFormed);
}

std::optional<CatalogueDocument> CatalogueDocument::parse(const QByteArray& bytes) {
    if (bytes.size() > INT_MAX) return std::nullopt;
    xmlParserCtxt* parser = xmlNewParserCtxt();
    if (!parser) return std::nullopt;
    // Blank text between elements is dropped so that saving can indent afresh.
    constexpr int kOptions =
        XML_PARSE_RECOVER | XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDoc* doc = xmlCtxtReadMemory(parser, bytes.constData(), static_cast<int>(bytes.size()), nullptr,
                                    nullptr, kOptions);
    const Parse result = parser->wellFormed ? Parse::WellFormed : Parse::Repaired;
    xmlFreeParserCtxt(parser);
    if (!doc) return std::nullopt;
    CatalogueDocument document(doc, result);
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (!root || xmlStrcmp(root->name, Xml(kRootName)) != 0) return std::nullopt;
    return document;
}

QStringList CatalogueDocument::paths() const {
    QStringList paths;
    ForEachNode(doc.get(), kAllEntries, nullptr, [&paths](xmlNode* entry) { paths << PathOf(entry); });
    return paths;
}

bool CatalogueDocument::contains(const QString& path) const {
    bool found = false;
    ForEachNode(doc.get(), kEntryForPath, &path, [&found](xmlNode*) { found = true; });
    return found;
}

void CatalogueDocument::append(const QString& path) {
    xmlNode* entry = xmlNewDocNode(doc.get(), nullptr, Xml(kEntryName), nullptr);
    // xmlNewProp stores the value as it is: '&' and '<' in a path are escaped on save.
    xmlNewProp(entry, Xml(kPathAttribute), Xml(path.toUtf8().constData()));
    xmlAddChild(xmlDocGetRootElement(doc.get()), entry);
}

int CatalogueDocument::remove(const QString& path) {
    std::vector<xmlNode*> entries;
    ForEachNode(doc.get(), kEntryForPath, &path, [&entries](xmlNode* entry) { entries.push_back(entry); });
    for (xmlNode* entry : entries) {
        xmlUnlinkNode(entry);
        xmlFreeNode(entry);
    }
    return static_cast<int>(entries.size());
}

int CatalogueDocument::clockOffset(const QString& path) const {
    std::optional<int> offset;
    ForEachNode(doc.get(), kEntryForPath, &path, [&offset](xmlNode* entry) {
        if (offset) return;
        xmlChar* value = xmlGetProp(entry, Xml(kClockOffsetAttribute));
        if (value) offset = ParseClockOffset(QString::fromUtf8(reinterpret_cast<const char*>(value)));
        xmlFree(value);
    });
    return offset.value_or(0);
}

bool CatalogueDocument::setClockOffset(const QString& path, int minutes) {
    if (std::abs(minutes) > kMaxClockOffsetMinutes) return false;
    bool found = false;
    const QByteArray text = ClockOffsetText(minutes).toUtf8();
    ForEachNode(doc.get(), kEntryForPath, &path, [&](xmlNode* entry) {
        found = true;
        if (minutes == 0) {
            xmlUnsetProp(entry, Xml(kClockOffsetAttribute));
        } else {
            xmlSetProp(entry, Xml(kClockOffsetAttribute), Xml(text.constData()));
        }
    });
    return found;
}

QByteArray CatalogueDocument::serialise() const {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc.get(), &text, &size, "UTF-8", 1);
    const QByteArray bytes(reinterpret_cast<const char*>(text), size);
    xmlFree(text);
    return bytes;
}
