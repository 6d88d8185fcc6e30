#include "host/classes/frmclsExtrac_Cli.h"
#include "host/classes/frmclsExtractos.h"
#include "host/classes/frmclsRecConcep.h"
#include "host/classes/frmclsRecTip.h"
#include "host/classes/frmclsTiposPago.h"
#include "host/classes/frmclsVisor_Rec.h"

#include <functional>
#include <map>
#include <strings.h>

namespace host {

namespace {

const char *const kProgIds[] = {
    "VRNXComprasPagoCentral.frmclsExtractos", "VRNXComprasPagoCentral.frmclsExtrac_Cli",
    "VRNXComprasPagoCentral.frmclsVisor_Rec", "VRNXComprasPagoCentral.frmclsRecConcep",
    "VRNXComprasPagoCentral.frmclsRecTip",    "VRNXComprasPagoCentral.frmclsTiposPago",
};

template <class C> std::unique_ptr<HostClass> Make() { return std::make_unique<C>(); }

} // namespace

const char *const *ProgIds(int &count) {
    count = static_cast<int>(sizeof kProgIds / sizeof kProgIds[0]);
    return kProgIds;
}

std::unique_ptr<HostClass> CrearObjeto(const std::string &progId) {
    using Maker = std::unique_ptr<HostClass> (*)();
    static const std::pair<const char *, Maker> makers[] = {
        {kProgIds[0], &Make<frmclsExtractos>}, {kProgIds[1], &Make<frmclsExtrac_Cli>},
        {kProgIds[2], &Make<frmclsVisor_Rec>}, {kProgIds[3], &Make<frmclsRecConcep>},
        {kProgIds[4], &Make<frmclsRecTip>},    {kProgIds[5], &Make<frmclsTiposPago>},
    };
    // Programmatic identifiers are case-insensitive, as in the component registry.
    for (const auto &[id, make] : makers) {
        if (strcasecmp(id, progId.c_str()) == 0) {
            return make();
        }
    }
    return nullptr;
}

} // namespace host
