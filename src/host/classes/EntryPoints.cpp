#include "host/classes/EntryPoints.h"

#include "host/classes/HostClass.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kFalse = 1;
constexpr int kClassNotAvailable = static_cast<int>(0x80040111u);
constexpr int kRegistryError = static_cast<int>(0x80040154u);

// The registry stand-in: an INI file listing each identifier with the library that serves it.
std::filesystem::path RegistryFile() {
    if (const char *x = std::getenv("PAGOCENTRAL_REGISTRY"); x && *x) {
        return x;
    }
    std::string base;
    if (const char *x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
        base = x;
    } else {
        const char *home = std::getenv("HOME");
        base = std::string(home ? home : ".") + "/.config";
    }
    return std::filesystem::path(base) / "VRNXComprasPagoCentral" / "registro.ini";
}

std::string ThisLibrary() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&DllRegisterServer), &info) && info.dli_fname) {
        return info.dli_fname;
    }
    return "VRNXComprasPagoCentral";
}

// Rewrites the registry file keeping other libraries' entries; adds ours when `add`.
int Rewrite(bool add) {
    try {
        auto file = RegistryFile();
        int count = 0;
        const char *const *ids = host::ProgIds(count);
        std::vector<std::string> keep;
        if (std::ifstream in(file); in) {
            std::string line;
            while (std::getline(in, line)) {
                bool ours = false;
                for (int i = 0; i < count; ++i) {
                    std::string id = ids[i];
                    ours = ours || line.rfind(id + "=", 0) == 0;
                }
                if (!ours && !line.empty() && line != "[Clases]") {
                    keep.push_back(line);
                }
            }
        }
        std::filesystem::create_directories(file.parent_path());
        std::string tmp = file.string() + ".tmp";
        {
            std::ofstream out(tmp, std::ios::trunc);
            out << "[Clases]\n";
            for (const auto &l : keep) {
                out << l << "\n";
            }
            if (add) {
                for (int i = 0; i < count; ++i) {
                    out << ids[i] << "=" << ThisLibrary() << "\n";
                }
            }
            if (!out) {
                return kRegistryError;
            }
        }
        std::filesystem::rename(tmp, file);
        return kOk;
    } catch (...) {
        return kRegistryError;
    }
}

} // namespace

extern "C" {

int DllGetClassObject(const char *progId, void **object) {
    if (!object) {
        return kClassNotAvailable;
    }
    *object = nullptr;
    if (!progId) {
        return kClassNotAvailable;
    }
    try {
        auto obj = host::CrearObjeto(progId);
        if (!obj) {
            return kClassNotAvailable;
        }
        *object = obj.release();
        return kOk;
    } catch (...) {
        return kClassNotAvailable;
    }
}

void DllReleaseObject(void *object) { delete static_cast<host::HostClass *>(object); }

int DllCanUnloadNow(void) { return host::HostClass::Vivos() == 0 ? kOk : kFalse; }

int DllRegisterServer(void) { return Rewrite(true); }

int DllUnregisterServer(void) { return Rewrite(false); }
}
