#include "transfer/PackageNames.h"

#include "support/Utilities.h"

namespace ndlemo {

namespace {
std::string WithSeparator(std::string_view dir) {
    std::string text(dir);
    if (!text.ends_with('/'))
        text += '/';
    return text;
}
} // namespace

std::string InvoicePackageName(std::string_view pracoviste, std::string_view icz, std::string_view ico,
                               std::string_view rokFaktury, std::string_view cisloFaktury, TDate datumPrijeti,
                               bool mask) {
    std::string name = mask ? std::string("????") : std::string(pracoviste);
    name += "_";
    name += icz;
    name += "_";
    name += ico;
    name += "_";
    name += rokFaktury;
    name += "_";
    name += PadText(cisloFaktury, "x", 10, true);
    name += "_";
    if (mask) {
        name += "*";
    } else {
        int y, m, d;
        datumPrijeti.Decode(y, m, d);
        name += ZeroPadInt(y, 4) + ZeroPadInt(m, 2) + ZeroPadInt(d, 2);
    }
    return name;
}

std::string ReportsPackageName(std::string_view pracoviste, std::string_view icz, std::string_view ico,
                               std::string_view idPrenosu) {
    return "NDLLZ_" + std::string(pracoviste) + "_" + std::string(icz) + "_" + std::string(ico) + "_" +
           std::string(idPrenosu);
}

std::filesystem::path InvoiceArchiveDir(std::string_view dirOdeslane, TDate datumPrijeti) {
    int y, m, d;
    datumPrijeti.Decode(y, m, d);
    return WithSeparator(dirOdeslane) + ZeroPadInt(y, 4) + "/" + ZeroPadInt(m, 2);
}

std::filesystem::path ReportsArchiveDir(std::string_view dirOdeslane, std::string_view idPrenosu) {
    return WithSeparator(dirOdeslane) + std::string(idPrenosu.substr(0, 4)) + "/" +
           std::string(idPrenosu.substr(std::min<size_t>(4, idPrenosu.size()), 2));
}

} // namespace ndlemo
