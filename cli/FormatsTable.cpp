#include "FormatsTable.h"

#include "GPSReader.h"

#include <string>

namespace {

std::string Containers(const GPSReader& reader) {
    std::string list;
    for (const std::string& extension : reader.extensions) list += (list.empty() ? "" : ", ") + extension;
    return reader.kind == GPSReaderKind::SideFile ? "side file " + list : list;
}

}  // namespace

void WriteFormatsTable(std::ostream& out) {
    out << "| Dialect | Cameras known to write it | Container | Where the data lives | Rate | Clock | Units | "
           "G-sensor |\n"
        << "|---|---|---|---|---|---|---|---|\n";
    for (const GPSReader& reader : GPSReaderRegistry()) {
        const GPSDialectFacts& f = reader.facts;
        out << "| `" << reader.id << "` | " << f.cameras << " | " << Containers(reader) << " | " << reader.description
            << " | " << f.rate << " | " << f.clock << " | " << f.units << " | " << f.gsensor << " |\n";
    }
}
