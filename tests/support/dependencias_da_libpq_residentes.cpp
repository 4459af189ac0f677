// Linked into the test programs of the sanitizer build only.
//
// The tests load and release the client library many times in one process. Each release unloads
// the libraries it brought in (Kerberos, LDAP, SASL, TLS) as well, and the blocks those libraries
// keep for the life of the process are then referenced from data that no longer exists: the leak
// checker reports them, from a module it can no longer name, whenever no stale copy of a pointer
// happens to survive elsewhere. Keeping those dependencies loaded keeps their blocks reachable,
// as they are in the program, which loads the library once. The client library itself is not
// kept, so every load and release the tests make still happens.
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> bibliotecasCarregadas() {
    std::vector<std::string> nomes;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* dados) {
            static_cast<std::vector<std::string>*>(dados)->emplace_back(info->dlpi_name);
            return 0;
        },
        &nomes);
    return nomes;
}

const bool dependenciasResidentes = [] {
    const std::vector<std::string> antes = bibliotecasCarregadas();
    void* libpq = dlopen(LIBPQ_RESIDENTE, RTLD_NOW | RTLD_LOCAL);
    if (libpq == nullptr)
        return false;
    for (const std::string& nome : bibliotecasCarregadas())
        if (!nome.empty() && nome != LIBPQ_RESIDENTE &&
            std::find(antes.begin(), antes.end(), nome) == antes.end())
            dlopen(nome.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    dlclose(libpq);
    return true;
}();

} // namespace
