// A send killed without warning, again and again, at points spread over a long mixed
// journal, and started once more to its end, leaves in the destination (online) or in the
// transfer file (offline) what one uninterrupted send of the same journal leaves: the same
// rows in every table, ids that each database hands out on its own aside; no business key
// twice, no detail row without its header, and every entry marked as sent. The same holds
// for the receive of a transfer file. The real programs run as a scheduler starts them,
// through the server on localhost, and are killed with SIGKILL while they work.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "tests/soporte/concluido.h"
#include "tests/soporte/diario_mixto.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/proceso.h"
#include "transfer/grupo.h"
#include "tests/soporte/volcado.h"

namespace velmora {
namespace {

using namespace prueba;

constexpr uint32_t kSemilla = 20260302;
// Kills of each case, one in each stretch of the journal.
constexpr int kCortes = 6;

// The end of a run that went through `n` entries, each copied.
std::string Concluida(Corrida corrida, int n) {
    return ConcluidoEnConsola(corrida, {.visitadas = n, .copiadas = n});
}

// An installation whose general database lists both companies and the user, with the
// origin holding the mixed journal and the destination what earlier sends left there.
class Instalado {
  public:
    explicit Instalado(const DiarioMixto& diario) {
        instalacion.registrar({servidor()});
        EjecutarSql(instalacion.ubicacion(Acceso::Servidor, "datos/general.fdb"),
                    {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('001', 'Origen')",
                     "INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('002', 'Destino')",
                     "INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE) VALUES ('PRUEBA', 'Prueba')"});
        EjecutarSql(origen(), diario.origen);
        EjecutarSql(instalacion.compania(Acceso::Servidor, "002"), diario.destino);
    }

    std::string servidor() const { return instalacion.servidor(Acceso::Servidor); }
    std::string origen() const { return instalacion.compania(Acceso::Servidor, "001"); }
    std::string traza() const { return instalacion.ruta("ENVIO.TXT"); }

    std::unique_ptr<Proceso> enviar(bool enLinea, bool reemplazar) const {
        return iniciar(VELMORA_ENVIO_PROGRAMA, {enLinea ? "--en-linea" : "--fuera-de-linea",
                                                reemplazar ? "--reemplazar" : "--omitir",
                                                servidor(), "001", servidor(), "002"});
    }

    // The receive of the transfer file that an offline send prepared for company 002, into
    // company 002.
    std::unique_ptr<Proceso> recibir(bool reemplazar) const {
        return iniciar(VELMORA_RECEPCION_PROGRAMA, {reemplazar ? "--reemplazar" : "--omitir",
                                                    servidor(), "002", servidor(), "002"});
    }

    // Where the send writes: the destination company, or the transfer file.
    std::string escrito(bool enLinea) const {
        return instalacion.ubicacion(Acceso::Servidor,
                                     enLinea ? "datos/002/velmora.fdb" : "datos/002/envio.fdb");
    }

    Contenido contenido(bool enLinea) const {
        return VolcarPorLlave(escrito(enLinea), DocumentosDelDiario(), ReferenciasDelDiario());
    }

    // Journal entries of the origin not marked as sent.
    std::string pendientes() const {
        return Textos(origen(),
                      "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO IS DISTINCT FROM 'S'")[0][0];
    }

    Instalacion instalacion;

  private:
    std::unique_ptr<Proceso> iniciar(const std::string& programa,
                                     std::vector<std::string> argumentos) const {
        argumentos.insert(argumentos.begin(), {"--desatendido", "--al-fallar", "continuar"});
        return std::make_unique<Proceso>(
            programa, argumentos,
            std::map<std::string, std::string>{{"XDG_CONFIG_DIRS", instalacion.ruta("xdg")},
                                               {"ISC_USER", kUsuario},
                                               {"ISC_PASSWORD", kClave}},
            instalacion.raiz());
    }
};

// The trail line of a journal entry: date, time, AUDI_ID, TIDO_COD, AUDI_COD.
std::function<bool(const std::string&)> LineaDeTraza(int id) {
    return [campo = "," + std::to_string(id) + ","](const std::string& linea) {
        const size_t fecha = linea.find(',');
        if (fecha == std::string::npos) return false;
        const size_t hora = linea.find(',', fecha + 1);
        return hora != std::string::npos && linea.compare(hora, campo.size(), campo) == 0;
    };
}

struct Caso {
    const char* nombre;
    bool enLinea;
    bool reemplazar;
};

void PrintTo(const Caso& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class Convergencia : public ::testing::TestWithParam<Caso> {};

TEST_P(Convergencia, MatadoVariasVecesYTerminadoDejaLoQueDejaUnEnvioSinInterrupcion) {
    const Caso& caso = GetParam();
    const DiarioMixto diario = GenerarDiarioMixto(kSemilla);

    // The send as it should go: once, to its end.
    Instalado referencia(diario);
    {
        auto envio = referencia.enviar(caso.enLinea, caso.reemplazar);
        ASSERT_EQ(envio->esperar(), 0) << envio->errores();
        EXPECT_TRUE(envio->errores().ends_with(Concluida(Corrida::Envio, diario.entradas)))
            << envio->errores();
    }
    ASSERT_EQ(referencia.pendientes(), "0");
    const Contenido esperado = referencia.contenido(caso.enLinea);
    for (const auto& d : DocumentosDelDiario())
        ASSERT_FALSE(esperado.tablas.at(d.encabezado).empty()) << d.encabezado;
    EXPECT_EQ(esperado.llavesRepetidas, std::vector<std::string>{});
    EXPECT_EQ(esperado.detallesSinEncabezado, std::vector<std::string>{});

    // The same send killed in each stretch of the journal, inside an entry that writes
    // more than once: a moment after the entry's trail line. Each start sends again every
    // entry not marked as sent. The last entries are left alone, so that no run can end
    // before its kill.
    Instalado matado(diario);
    std::mt19937 azar(kSemilla);
    const int ultima = diario.entradas - 20;
    for (int c = 0; c < kCortes; ++c) {
        std::vector<int> tramo;
        for (int id : diario.compuestas)
            if (id > ultima * c / kCortes && id <= ultima * (c + 1) / kCortes) tramo.push_back(id);
        ASSERT_FALSE(tramo.empty());
        const int entrada = tramo[azar() % tramo.size()];
        const auto demora = std::chrono::microseconds(azar() % 3000);
        SCOPED_TRACE("killed at entry " + std::to_string(entrada));

        const size_t traza = TamanoArchivo(matado.traza());
        auto envio = matado.enviar(caso.enLinea, caso.reemplazar);
        ASSERT_TRUE(EsperarLinea(*envio, matado.traza(), traza, LineaDeTraza(entrada),
                                 std::chrono::seconds(60)))
            << "ended before the entry: " << envio->errores();
        std::this_thread::sleep_for(demora);
        envio->matar();
        ASSERT_EQ(envio->esperar(), -SIGKILL) << envio->errores();
        // Online, marks follow their group's commit: what the kill leaves unmarked of the
        // entries visited is at most the group it was in and the entry in progress. Offline
        // the next send lays the file out anew, so nothing may be marked before its end.
        const int sinMarcar = std::stoi(
            Textos(matado.origen(), "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO <> 'S' "
                                    "AND AUDI_ID <= " + std::to_string(entrada))[0][0]);
        if (caso.enLinea) {
            EXPECT_LE(sinMarcar, kEntradasPorGrupo + 1);
        } else {
            EXPECT_EQ(Textos(matado.origen(),
                             "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'")[0][0],
                      "0");
        }
    }
    {
        // The last run goes through the entries that the killed ones left unmarked.
        const int pendientes = std::stoi(matado.pendientes());
        auto envio = matado.enviar(caso.enLinea, caso.reemplazar);
        ASSERT_EQ(envio->esperar(), 0) << envio->errores();
        EXPECT_TRUE(envio->errores().ends_with(Concluida(Corrida::Envio, pendientes)))
            << envio->errores();
    }

    EXPECT_EQ(matado.pendientes(), "0");
    const Contenido obtenido = matado.contenido(caso.enLinea);
    EXPECT_EQ(Diferencias(esperado, obtenido), "");
    EXPECT_EQ(obtenido.llavesRepetidas, std::vector<std::string>{});
    EXPECT_EQ(obtenido.detallesSinEncabezado, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Envio, Convergencia,
                         ::testing::Values(Caso{"EnLineaReemplazar", true, true},
                                           Caso{"EnLineaOmitir", true, false},
                                           Caso{"FueraDeLineaReemplazar", false, true},
                                           Caso{"FueraDeLineaOmitir", false, false}),
                         [](const auto& info) { return std::string(info.param.nombre); });

class ConvergenciaRecepcion : public ::testing::TestWithParam<Caso> {};

// The receiver writes no trail: its kills fall at moments spread over the time that the
// uninterrupted receive of the same file took.
TEST_P(ConvergenciaRecepcion, MatadaVariasVecesYTerminadaDejaLoQueDejaUnaRecepcionSinInterrupcion) {
    const Caso& caso = GetParam();
    const DiarioMixto diario = GenerarDiarioMixto(kSemilla);
    auto preparar = [](const Instalado& i) {
        auto envio = i.enviar(false, true);
        ASSERT_EQ(envio->esperar(), 0) << envio->errores();
    };

    Instalado referencia(diario);
    ASSERT_NO_FATAL_FAILURE(preparar(referencia));
    const auto inicio = std::chrono::steady_clock::now();
    {
        auto recepcion = referencia.recibir(caso.reemplazar);
        ASSERT_EQ(recepcion->esperar(), 0) << recepcion->errores();
        EXPECT_TRUE(
            recepcion->errores().ends_with(Concluida(Corrida::Recepcion, diario.entradas)))
            << recepcion->errores();
    }
    const auto duracion = std::chrono::steady_clock::now() - inicio;
    const Contenido esperado = referencia.contenido(true);
    for (const auto& d : DocumentosDelDiario())
        ASSERT_FALSE(esperado.tablas.at(d.encabezado).empty()) << d.encabezado;
    EXPECT_EQ(esperado.llavesRepetidas, std::vector<std::string>{});
    EXPECT_EQ(esperado.detallesSinEncabezado, std::vector<std::string>{});

    Instalado matada(diario);
    ASSERT_NO_FATAL_FAILURE(preparar(matada));
    std::mt19937 azar(kSemilla);
    int matadas = 0;
    for (int c = 0; c < kCortes; ++c) {
        // Between a tenth and nine tenths into each sixth of the time.
        const double parte = (c + 0.1 + 0.8 * double(azar() % 1000) / 1000) / kCortes;
        const auto momento =
            std::chrono::steady_clock::now() +
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(duracion * parte);
        auto recepcion = matada.recibir(caso.reemplazar);
        std::this_thread::sleep_until(momento);
        if (recepcion->terminado()) {
            // A slower machine than the reference's: the receive went to its end, which is
            // a receive again from the start for the next one.
            EXPECT_EQ(recepcion->esperar(), 0) << recepcion->errores();
            continue;
        }
        recepcion->matar();
        EXPECT_EQ(recepcion->esperar(), -SIGKILL) << recepcion->errores();
        ++matadas;
    }
    EXPECT_GT(matadas, 0);
    {
        // The receiver reads the whole file again, each time.
        auto recepcion = matada.recibir(caso.reemplazar);
        ASSERT_EQ(recepcion->esperar(), 0) << recepcion->errores();
        EXPECT_TRUE(
            recepcion->errores().ends_with(Concluida(Corrida::Recepcion, diario.entradas)))
            << recepcion->errores();
    }

    const Contenido obtenido = matada.contenido(true);
    EXPECT_EQ(Diferencias(esperado, obtenido), "");
    EXPECT_EQ(obtenido.llavesRepetidas, std::vector<std::string>{});
    EXPECT_EQ(obtenido.detallesSinEncabezado, std::vector<std::string>{});
}

// The receive always writes the destination company: its cases differ in the replace flag.
INSTANTIATE_TEST_SUITE_P(Recepcion, ConvergenciaRecepcion,
                         ::testing::Values(Caso{"Omitir", true, false},
                                           Caso{"Reemplazar", true, true}),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace velmora
