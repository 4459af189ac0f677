#include "tests/support/servidor_pg_gtest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AmbienteServidorPg : public ::testing::Environment {
public:
    ServidorPgTeste& servidor() {
        if (!fServidor)
            fServidor = std::make_unique<ServidorPgTeste>();
        return *fServidor;
    }
    void TearDown() override { fServidor.reset(); }

private:
    std::unique_ptr<ServidorPgTeste> fServidor;
};

// gtest owns and tears down the environment.
AmbienteServidorPg* const ambiente =
    static_cast<AmbienteServidorPg*>(::testing::AddGlobalTestEnvironment(new AmbienteServidorPg));

} // namespace

ServidorPgTeste& servidorPgDoTeste() {
    return ambiente->servidor();
}
