#include "tests/support/history/sqlite_steps.h"

#include <dlfcn.h>
#include <sqlite3.h>

#include <QSqlDriver>
#include <QVariant>
#include <utility>

namespace qx7::teste {

namespace {

// SQLite's functions in the copy of the library the driver loaded, not a second one.
struct Api {
    decltype(&sqlite3_trace_v2) rastrear = nullptr;
    decltype(&sqlite3_stmt_status) estado = nullptr;
};

const Api& Funcoes() {
    static const Api api = [] {
        Api a;
        if (void* biblioteca = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD)) {
            a.rastrear =
                reinterpret_cast<decltype(a.rastrear)>(dlsym(biblioteca, "sqlite3_trace_v2"));
            a.estado =
                reinterpret_cast<decltype(a.estado)>(dlsym(biblioteca, "sqlite3_stmt_status"));
        }
        return a;
    }();
    return api;
}

}  // namespace

Contador_Passos::Contador_Passos(QSqlDatabase& banco) {
    const QVariant alca = banco.driver()->handle();
    if (qstrcmp(alca.typeName(), "sqlite3*") != 0 || Funcoes().rastrear == nullptr ||
        Funcoes().estado == nullptr) {
        return;
    }
    banco_ = *static_cast<sqlite3* const*>(alca.data());
    Funcoes().rastrear(banco_, SQLITE_TRACE_PROFILE, &Contador_Passos::Rastro, this);
}

Contador_Passos::~Contador_Passos() {
    if (banco_ != nullptr) {
        Funcoes().rastrear(banco_, 0, nullptr, nullptr);
    }
}

qint64 Contador_Passos::Tomar() {
    return std::exchange(passos_, 0);
}

int Contador_Passos::Rastro(unsigned evento, void* contexto, void* comando, void*) {
    if (evento == SQLITE_TRACE_PROFILE) {
        static_cast<Contador_Passos*>(contexto)->passos_ +=
            Funcoes().estado(static_cast<sqlite3_stmt*>(comando), SQLITE_STMTSTATUS_VM_STEP, 0);
    }
    return 0;
}

}  // namespace qx7::teste
