// The unattended sender, `envio --desatendido`: scheduled runs between companies 001 and
// 002 of a test installation reached through the local server, their messages on standard
// error and their exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "envio/corrida_desatendida.h"
#include "foundation/clave.h"
#include "foundation/inicio_sesion.h"
#include "recepcion/corrida_desatendida.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/proceso.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Auditoria;
using prueba::Corrida;
using prueba::Cuentas;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::Factura;
using prueba::LeerArchivo;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;
using Entorno = std::map<std::string, std::string>;

// What reaches the console, in UTF-8.
const std::string kClaveIncorrecta = "El nombre de Usuario o la clave son incorrectas.\n";

// The last lines of every send that started: its closing message, then its summary.
std::string Final(const Cuentas& cuentas, const std::string& errores = {}) {
    return prueba::ConcluidoEnConsola(Corrida::Envio, cuentas, errores);
}
const char kOtraClave[] = "Secreta-77";
// The destination's refusal of the invoice with the prefix FX, as the server words it.
const std::string kRechazoFx =
    "Operation violates CHECK constraint CHK_SIN_FX on view or table FACTURAS\n"
    "-At trigger 'CHECK_1'\n";

struct Salida {
    int estado = -1;
    std::string salida, errores;
    std::string credenciales;  // the first line on standard error: which variables were read
};

// The line that says where the credentials came from goes first; the rest is the run's.
void SepararCredenciales(Salida& s) {
    const size_t inicio = s.errores.find(": origen: usuario de ");
    if (inicio == std::string::npos || s.errores.find('\n') < inicio) return;
    const size_t fin = s.errores.find('\n');
    s.credenciales = s.errores.substr(0, fin);
    s.errores.erase(0, fin + 1);
}

const std::string kCredencialesDelOrigen =
    "envio: origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario de ISC_USER, "
    "clave de ISC_PASSWORD";

std::string ErrorDeArgumentos(const std::string& error) {
    return "envio: " + error + "\nVea las opciones con: envio --desatendido --help\n";
}

// The user as a person would type it: the databases take it as it is, the logs upper-cased.
Entorno Credenciales() {
    return {{"ISC_USER", "prueba"}, {"ISC_PASSWORD", prueba::kClave}};
}

size_t Lineas(const std::string& texto) {
    return std::count(texto.begin(), texto.end(), '\n');
}

// An installation whose general database lists both companies and the user, as a real one
// does; the run is started with the given options and the four server and company arguments.
class Desatendido : public ::testing::Test {
  protected:
    Desatendido() {
        EjecutarSql(e.instalacion.ubicacion(Acceso::Servidor, "datos/general.fdb"),
                    {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('001', 'Origen')",
                     "INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('002', 'Destino')",
                     "INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE) VALUES ('PRUEBA', 'Prueba')"});
    }

    std::string servidor() const { return e.instalacion.servidor(Acceso::Servidor); }

    std::vector<std::string> argumentos(std::vector<std::string> opciones,
                                        const std::string& destino = "002") const {
        for (const auto& a : {servidor(), std::string("001"), servidor(), destino})
            opciones.push_back(a);
        return opciones;
    }

    // The receiver's: the file prepared for 002 lies in the origin company 002, and 002 is
    // also the destination company.
    std::vector<std::string> argumentosRecepcion(std::vector<std::string> opciones) const {
        for (const auto& a : {servidor(), std::string("002"), servidor(), std::string("002")})
            opciones.push_back(a);
        return opciones;
    }

    Salida ejecutar(const std::vector<std::string>& argumentos,
                    const Entorno& entorno = Credenciales(), bool recepcion = false,
                    bool terminal = false) {
        std::ostringstream salida, errores;
        Salida s;
        s.estado = recepcion ? RecepcionDesatendida(argumentos, entorno, salida, errores, terminal)
                             : EnvioDesatendido(argumentos, entorno, salida, errores, terminal);
        s.salida = salida.str();
        s.errores = errores.str();
        SepararCredenciales(s);
        for (const auto& [nombre, valor] : entorno) {
            if (nombre.find("PASSWORD") == std::string::npos || valor.empty()) continue;
            EXPECT_EQ(s.errores.find(valor), std::string::npos) << "password " << nombre;
            EXPECT_EQ(s.salida.find(valor), std::string::npos) << "password " << nombre;
        }
        return s;
    }

    std::string marcas() const {
        std::string r;
        for (const auto& f :
             Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"))
            r += f[0];
        return r;
    }

    // One invoice the destination refuses (a prefix its table does not admit), then a
    // good one.
    void facturaRechazadaYFacturaBuena() {
        auto sql = Factura(1, "FX", "000001", 1);
        for (auto& s : Factura(2, "FV", "000002", 1)) sql.push_back(s);
        sql.push_back(Auditoria(1, 31, 1, "I", "FX000001", "2026-03-02", "10:00:00"));
        sql.push_back(Auditoria(2, 31, 2, "I", "FV000002", "2026-03-02", "11:00:00"));
        EjecutarSql(e.origen(), sql);
        EjecutarSql(e.destino(),
                    {"ALTER TABLE FACTURAS ADD CONSTRAINT CHK_SIN_FX CHECK (PREF_PRE <> 'FX')"});
    }

    EscenarioEnvio e{Acceso::Servidor};
};

TEST_F(Desatendido, EnLineaEscribeLaFacturaEnElDestinoYMarcaElDiario) {
    auto sql = Factura(7, "FV", "000123", 2);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);

    Salida s = ejecutar(argumentos({"--en-linea"}));

    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.errores, Final({.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(s.salida, "");
    EXPECT_EQ(Textos(e.destino(), "SELECT PREF_PRE, FACT_NUMERO, FACT_TOTAL FROM FACTURAS"),
              (Filas{{"FV", "000123", "116.60"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"2"}}));
    EXPECT_EQ(marcas(), "S");
    EXPECT_NE(e.traza().find(",1,31,FV000123\r\n"), std::string::npos) << e.traza();
}

TEST_F(Desatendido, SinModoPreparaElArchivoDeEnvioComoLaVentana) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);

    Salida s = ejecutar(argumentos({}));

    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.errores, Final({.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT FACT_ID, PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"7", "FV", "000123"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_ID, AUDI_COD FROM AUDITORIA"),
              (Filas{{"1", "FV000123"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"0"}}));
    EXPECT_EQ(marcas(), "S");
}

TEST_F(Desatendido, RangoPrefijoYTiposEligenLasEntradasComoEnLaVentana) {
    std::vector<std::string> sql;
    for (auto& s : Factura(1, "FV", "000001", 0)) sql.push_back(s);
    for (auto& s : Factura(2, "FX", "000002", 0)) sql.push_back(s);
    for (auto& s : Factura(4, "FV", "000004", 0)) sql.push_back(s);
    // Already sent, inside the range: sent again.
    sql.push_back(Auditoria(1, 31, 1, "I", "FV000001", "2026-03-02", "10:00:00", "S"));
    // Another prefix: not copied, yet marked.
    sql.push_back(Auditoria(2, 31, 2, "I", "FX000002", "2026-03-03"));
    // A type not asked for: only its trail line.
    sql.push_back(Auditoria(3, 33, 9, "I", "FV000003", "2026-03-04"));
    // Outside the range: not visited.
    sql.push_back(Auditoria(4, 31, 4, "I", "FV000004", "2026-04-10"));
    EjecutarSql(e.origen(), sql);

    Salida s = ejecutar(argumentos({"--en-linea", "--desde", "2026-03-01", "--hasta", "2026-03-31",
                                    "--prefijo", "FV", "--tipos", "31,101"}));

    EXPECT_EQ(s.estado, 0);
    // The entry of another prefix is marked, yet not copied: it counts as not selected, as
    // does the type not asked for.
    EXPECT_EQ(s.errores, Final({.visitadas = 3, .copiadas = 1, .noSeleccionadas = 2}));
    EXPECT_EQ(Textos(e.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000001"}}));
    EXPECT_EQ(marcas(), "SSNN");
    EXPECT_EQ(Lineas(e.traza()), 3u) << e.traza();
}

struct CasoExistente {
    const char* nombre;
    std::vector<std::string> opciones;
    std::string totalEsperado;
};

void PrintTo(const CasoExistente& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class DocumentoExistente : public Desatendido,
                           public ::testing::WithParamInterface<CasoExistente> {};

TEST_P(DocumentoExistente, LaOpcionDecideSiSeReemplaza) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    auto previa = Factura(40, "FV", "000123", 0);
    previa.push_back("UPDATE FACTURAS SET FACT_TOTAL = 5 WHERE FACT_ID = 40");
    EjecutarSql(e.destino(), previa);

    Salida s = ejecutar(argumentos(GetParam().opciones));

    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_TOTAL FROM FACTURAS"),
              (Filas{{GetParam().totalEsperado}}));
    EXPECT_EQ(marcas(), "S");
}

INSTANTIATE_TEST_SUITE_P(
    Opciones, DocumentoExistente,
    ::testing::Values(CasoExistente{"Omitir", {"--en-linea", "--omitir"}, "5.00"},
                      CasoExistente{"ReemplazarPorOmision", {"--en-linea"}, "116.60"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Desatendido, AlFallarContinuarSigueConLasEntradasYTerminaConEstado1) {
    facturaRechazadaYFacturaBuena();

    Salida s = ejecutar(argumentos({"--en-linea", "--al-fallar", "continuar"}));

    EXPECT_EQ(s.estado, 1);
    // The database's refusal, once and whole, then the question with its answer, then the end.
    const std::string pregunta =
        "Error transmitiendo FACTURAS DE VENTA FX000001. Continuar? Sí (--al-fallar continuar)\n";
    EXPECT_TRUE(s.errores.starts_with(kRechazoFx + pregunta)) << s.errores;
    EXPECT_TRUE(s.errores.ends_with(
        pregunta +
        Final({.visitadas = 2, .copiadas = 1, .fallidas = 1}, prueba::ErroresMostrado(e.instalacion))))
        << s.errores;
    EXPECT_EQ(Textos(e.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000002"}}));
    EXPECT_EQ(marcas(), "NS");
    EXPECT_EQ(Lineas(e.traza()), 2u);
    const std::string errores = e.errores();
    EXPECT_EQ(Lineas(errores), 1u) << errores;
    EXPECT_TRUE(errores.ends_with(",PRUEBA,Error transmitiendo FACTURAS DE VENTA FX000001\r\n"))
        << errores;
}

TEST_F(Desatendido, AlFallarDetenerTerminaEnLaPrimeraFallaConEstado1) {
    facturaRechazadaYFacturaBuena();

    Salida s = ejecutar(argumentos({"--en-linea"}));  // detener is the default

    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.errores, kRechazoFx +
                             "Error transmitiendo FACTURAS DE VENTA FX000001. Continuar? No "
                             "(--al-fallar detener)\n" +
                             Final({.visitadas = 1, .fallidas = 1},
                                   prueba::ErroresMostrado(e.instalacion)));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"0"}}));
    EXPECT_EQ(marcas(), "NN");
    EXPECT_EQ(Lineas(e.traza()), 1u);
    EXPECT_EQ(Lineas(e.errores()), 1u);

    // The next scheduled run, told to go on, tries the failed entry again.
    EXPECT_EQ(ejecutar(argumentos({"--en-linea", "--al-fallar", "continuar"})).estado, 1);
    EXPECT_EQ(marcas(), "NS");
}

TEST_F(Desatendido, UnaFilaSinValorObligatorioDetieneLaCorridaSinMasMensajesConEstado2) {
    auto sql = Factura(1, "FV", "000001", 0);
    sql.push_back("UPDATE FACTURAS SET FACT_HORA = '09:30:00' WHERE FACT_ID = 1");
    for (auto& s : Factura(2, "FV", "000002", 0)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 1, "I", "FV000001", "2026-03-02", "10:00:00"));
    sql.push_back(Auditoria(2, 31, 2, "I", "FV000002", "2026-03-02", "11:00:00"));
    EjecutarSql(e.origen(), sql);
    // The second invoice has no time; the destination demands one, before anything is
    // applied.
    EjecutarSql(e.destino(), {"ALTER TABLE FACTURAS ALTER FACT_HORA SET NOT NULL"});

    Salida s = ejecutar(argumentos({"--en-linea", "--al-fallar", "continuar"}));

    EXPECT_EQ(s.estado, 2);
    // The row error and its friendlier text; the abort that follows shows nothing.
    EXPECT_EQ(s.errores,
              "Field 'FACT_HORA' must have a value\nLos campos FACT_HORA,  son obligatorios.\n");
    // What was done before the stop stays done, its mark included.
    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_NUMERO FROM FACTURAS"), (Filas{{"000001"}}));
    EXPECT_EQ(marcas(), "SN");
    EXPECT_EQ(Lineas(e.traza()), 2u);
}

TEST_F(Desatendido, OtroUsuarioEnElDestino) {
    auto sql = Factura(7, "FV", "000123", 0);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    Entorno entorno = Credenciales();
    entorno["ISC_USER_DESTINO"] = prueba::kAdministrador;
    entorno["ISC_PASSWORD_DESTINO"] = prueba::kClaveAdministrador;

    Salida s = ejecutar(argumentos({"--en-linea"}), entorno);

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores, Final({.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(marcas(), "S");
}

struct CasoCredenciales {
    const char* nombre;
    Entorno entorno;
    std::string lado;          // the side whose connection fails
    std::string credenciales;  // what the first line says was read
};

void PrintTo(const CasoCredenciales& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class CredencialesIncorrectas : public Desatendido,
                                public ::testing::WithParamInterface<CasoCredenciales> {};

TEST_P(CredencialesIncorrectas, DetieneAntesDeLaCorridaConEstado2) {
    EjecutarSql(e.origen(), {Auditoria(1, 19, 7, "I", "XX000001")});

    Salida s = ejecutar(argumentos({"--en-linea"}), GetParam().entorno);

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.credenciales, "envio: " + GetParam().credenciales);
    EXPECT_EQ(s.errores, "envio: no se pudo conectar con el " + GetParam().lado + " (" +
                             servidor() + "/datos/general.fdb)\n" + kClaveIncorrecta);
    EXPECT_EQ(marcas(), "N");
    EXPECT_FALSE(std::filesystem::exists(e.instalacion.ruta("ENVIO.TXT")));
}

INSTANTIATE_TEST_SUITE_P(
    Entornos, CredencialesIncorrectas,
    ::testing::Values(
        CasoCredenciales{"ClaveDelOrigen",
                         {{"ISC_USER", "PRUEBA"}, {"ISC_PASSWORD", kOtraClave}},
                         "origen",
                         "origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario "
                         "de ISC_USER, clave de ISC_PASSWORD"},
        // The destination has a password of its own, and it is wrong.
        CasoCredenciales{"ClaveDelDestino",
                         {{"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave},
                          {"ISC_PASSWORD_DESTINO", kOtraClave}},
                         "destino",
                         "origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario "
                         "de ISC_USER, clave de ISC_PASSWORD_DESTINO"},
        // An empty destination password is a password: the origin's is not taken instead.
        CasoCredenciales{"ClaveVaciaDelDestino",
                         {{"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave},
                          {"ISC_PASSWORD_DESTINO", ""}},
                         "destino",
                         "origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario "
                         "de ISC_USER, clave de ISC_PASSWORD_DESTINO"},
        // Another destination user, with the origin's password, which is not his.
        CasoCredenciales{"UsuarioDelDestinoConLaClaveDelOrigen",
                         {{"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave},
                          {"ISC_USER_DESTINO", prueba::kAdministrador}},
                         "destino",
                         "origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario "
                         "de ISC_USER_DESTINO, clave de ISC_PASSWORD"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Desatendido, UnaCompaniaQueNoEstaEnLaInstalacionNoIniciaLaCorrida) {
    EjecutarSql(e.origen(), {Auditoria(1, 19, 7, "I", "XX000001")});
    struct Caso {
        std::vector<std::string> argumentos;
        std::string error;
    };
    const Caso casos[] = {
        {{servidor(), "009", servidor(), "002"},
         "La compañía 009 no existe en la instalación de origen (" + servidor() + ").\n"},
        {{servidor(), "001", servidor(), "009"},
         "La compañía 009 no existe en la instalación de destino (" + servidor() + ").\n"},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> a{"--en-linea"};
        a.insert(a.end(), c.argumentos.begin(), c.argumentos.end());

        Salida s = ejecutar(a);

        EXPECT_EQ(s.estado, 2);
        EXPECT_EQ(s.errores, c.error);
        EXPECT_EQ(marcas(), "N");
        EXPECT_FALSE(std::filesystem::exists(e.instalacion.ruta("ENVIO.TXT")));
    }
}

TEST_F(Desatendido, SinPlantillaNoSePreparaElArchivoYTerminaConEstado2) {
    EjecutarSql(e.origen(), {Auditoria(1, 19, 7, "I", "XX000001")});
    std::filesystem::remove(e.instalacion.ruta("sop/envio.fdb"));

    Salida s = ejecutar(argumentos({}));

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores, "No se pudo copiar la base de datos para el envio.\n");
    EXPECT_EQ(marcas(), "N");
}

TEST_F(Desatendido, HelpMuestraElUsoEnLaSalidaEstandar) {
    Salida s = ejecutar({"--help"}, {});

    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.salida, UsoEnvioDesatendido());
    EXPECT_EQ(s.errores, "");
    for (const char* opcion :
         {"--en-linea", "--fuera-de-linea", "--reemplazar", "--omitir", "--desde", "--hasta",
          "--prefijo", "--tipos", "--al-fallar", "--instalacion", "--espera-bloqueo",
          "ISC_USER_DESTINO", "ISC_PASSWORD_DESTINO", "130", "143"})
        EXPECT_NE(s.salida.find(opcion), std::string::npos) << opcion;
}

struct CasoArgumentos {
    const char* nombre;
    std::vector<std::string> argumentos;  // the four positionals are added when `completar`
    bool completar;
    std::string error;
    Entorno entorno = Credenciales();
};

void PrintTo(const CasoArgumentos& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class ArgumentosIncorrectos : public Desatendido,
                              public ::testing::WithParamInterface<CasoArgumentos> {};

TEST_P(ArgumentosIncorrectos, ErrorYUsoEnLaSalidaDeErroresConEstado2) {
    EjecutarSql(e.origen(), {Auditoria(1, 19, 7, "I", "XX000001")});
    const CasoArgumentos& c = GetParam();

    Salida s = ejecutar(c.completar ? argumentos(c.argumentos) : c.argumentos, c.entorno);

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores, ErrorDeArgumentos(c.error));
    EXPECT_EQ(s.salida, "");
    EXPECT_EQ(marcas(), "N");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ArgumentosIncorrectos,
    ::testing::Values(
        CasoArgumentos{"Ninguno",
                       {},
                       false,
                       "se esperan 4 argumentos (servidor origen, compañía origen, servidor "
                       "destino, compañía destino) y se recibieron 0"},
        CasoArgumentos{"Tres",
                       {"localhost:/x", "001", "localhost:/x"},
                       false,
                       "se esperan 4 argumentos (servidor origen, compañía origen, servidor "
                       "destino, compañía destino) y se recibieron 3"},
        CasoArgumentos{"Cinco",
                       {"003"},
                       true,
                       "se esperan 4 argumentos (servidor origen, compañía origen, servidor "
                       "destino, compañía destino) y se recibieron 5"},
        CasoArgumentos{"OpcionDesconocida", {"--rápido"}, true, "opción desconocida: --rápido"},
        CasoArgumentos{"DosModos",
                       {"--en-linea", "--fuera-de-linea"},
                       true,
                       "opción repetida o contradictoria: --fuera-de-linea"},
        CasoArgumentos{"ReemplazarYOmitir",
                       {"--omitir", "--reemplazar"},
                       true,
                       "opción repetida o contradictoria: --reemplazar"},
        CasoArgumentos{"PrefijoRepetido",
                       {"--prefijo", "FV", "--prefijo", "FX"},
                       true,
                       "opción repetida o contradictoria: --prefijo"},
        CasoArgumentos{
            "DesdeSinHasta", {"--desde", "2026-03-01"}, true, "--desde y --hasta van juntas"},
        CasoArgumentos{
            "HastaSinDesde", {"--hasta", "2026-03-01"}, true, "--desde y --hasta van juntas"},
        CasoArgumentos{"DiaQueNoExiste",
                       {"--desde", "2026-02-29", "--hasta", "2026-03-01"},
                       true,
                       "fecha no válida en --desde: 2026-02-29 (se espera AAAA-MM-DD)"},
        CasoArgumentos{"FechaEnOtroFormato",
                       {"--desde", "2026-03-01", "--hasta", "31/03/2026"},
                       true,
                       "fecha no válida en --hasta: 31/03/2026 (se espera AAAA-MM-DD)"},
        CasoArgumentos{"FechaSinCeros",
                       {"--desde", "2026-3-1", "--hasta", "2026-03-31"},
                       true,
                       "fecha no válida en --desde: 2026-3-1 (se espera AAAA-MM-DD)"},
        CasoArgumentos{
            "FaltaElValor", {"--en-linea", "--prefijo"}, false, "falta el valor de --prefijo"},
        CasoArgumentos{"OtraOpcionEnLugarDelValor",
                       {"--tipos", "--en-linea"},
                       true,
                       "falta el valor de --tipos"},
        CasoArgumentos{"TipoVacio",
                       {"--tipos", "31,,33"},
                       true,
                       "lista de tipos no válida en --tipos: 31,,33"},
        CasoArgumentos{"TipoNoNumerico",
                       {"--tipos", "31,FV"},
                       true,
                       "lista de tipos no válida en --tipos: 31,FV"},
        CasoArgumentos{"TipoQueNoExiste",
                       {"--tipos", "31,130"},
                       true,
                       "tipo de documento desconocido en --tipos: 130"},
        CasoArgumentos{"RespuestaDesconocida",
                       {"--al-fallar", "seguir"},
                       true,
                       "valor no válido en --al-fallar: seguir (continuar o detener)"},
        CasoArgumentos{"EsperaNoNumerica",
                       {"--espera-bloqueo", "30s"},
                       true,
                       "valor no válido en --espera-bloqueo: 30s (segundos)"},
        CasoArgumentos{"InstalacionQueNoExiste",
                       {"--instalacion", "/no/existe/velmora"},
                       true,
                       "la carpeta de --instalacion no existe: /no/existe/velmora"},
        CasoArgumentos{"SinUsuario",
                       {},
                       true,
                       "falta la variable de entorno ISC_USER",
                       {{"ISC_PASSWORD", prueba::kClave}}},
        CasoArgumentos{"SinClave",
                       {},
                       true,
                       "falta la variable de entorno ISC_PASSWORD",
                       {{"ISC_USER", "PRUEBA"}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// The real program, started as a scheduler would: no display, nothing in its environment but
// the settings folder and the credentials.
Salida EjecutarPrograma(const std::vector<std::string>& argumentos, const Entorno& entorno,
                        const std::string& carpeta,
                        const std::string& programa = VELMORA_ENVIO_PROGRAMA) {
    prueba::Proceso proceso(programa, argumentos, entorno, carpeta);
    Salida s;
    s.estado = proceso.esperar();
    s.salida = proceso.salida();
    s.errores = proceso.errores();
    SepararCredenciales(s);
    return s;
}

TEST_F(Desatendido, ElProgramaPreparaElArchivoSinPantallaYTerminaConEstado0) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    const Entorno entorno{{"XDG_CONFIG_DIRS", e.instalacion.ruta("xdg")},
                          {"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave}};

    Salida s = EjecutarPrograma(argumentos({"--desatendido", "--fuera-de-linea"}), entorno,
                                e.instalacion.raiz());

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores, Final({.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(s.salida, "");
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_ID FROM AUDITORIA"), (Filas{{"1"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"1"}}));
    EXPECT_EQ(marcas(), "S");
    EXPECT_EQ(Lineas(e.traza()), 1u);
}

TEST_F(Desatendido, LosDosProgramasEnvianYRecibenSinPantalla) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    const Entorno entorno{{"XDG_CONFIG_DIRS", e.instalacion.ruta("xdg")},
                          {"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave}};
    ASSERT_EQ(EjecutarPrograma(argumentos({"--desatendido"}), entorno, e.instalacion.raiz()).estado,
              0);

    Salida s = EjecutarPrograma(argumentosRecepcion({"--desatendido"}), entorno,
                                e.instalacion.raiz(), VELMORA_RECEPCION_PROGRAMA);

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores,
              prueba::ConcluidoEnConsola(Corrida::Recepcion, {.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"1"}}));
}

// A server entry with a letter outside ASCII, from a scheduler's bare environment (no locale):
// the program names the files to the database client as the file system has them.
TEST_F(Desatendido, ElProgramaEncuentraUnaInstalacionConAcentosEnSuRuta) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    const std::string conAcento = e.instalacion.ruta("Año");
    std::filesystem::create_directory_symlink(e.instalacion.raiz(), conAcento);
    const Entorno entorno{{"XDG_CONFIG_DIRS", e.instalacion.ruta("xdg")},
                          {"ISC_USER", "PRUEBA"},
                          {"ISC_PASSWORD", prueba::kClave}};
    const std::string servidor = prueba::ServidorPruebas() + ":" + conAcento;

    Salida s = EjecutarPrograma({"--desatendido", "--en-linea", servidor, "001", servidor, "002"},
                                entorno, e.instalacion.raiz());

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"1"}}));
}

TEST_F(Desatendido, ElProgramaConArgumentosIncorrectosTerminaConEstado2) {
    const Entorno entorno{{"XDG_CONFIG_DIRS", e.instalacion.ruta("xdg")}};

    Salida s =
        EjecutarPrograma({"--desatendido", "--al-fallar", "seguir"}, entorno, e.instalacion.raiz());

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores,
              ErrorDeArgumentos("valor no válido en --al-fallar: seguir (continuar o detener)"));
    EXPECT_EQ(s.salida, "");
}

// `recepcion --desatendido` after `envio --desatendido --fuera-de-linea`: the transfer file
// that the sender prepared for 002 is the receiver's origin 002, applied to the company 002.
TEST_F(Desatendido, LaRecepcionAplicaElArchivoQueElEnvioPreparo) {
    auto sql = Factura(7, "FV", "000123", 2);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    ASSERT_EQ(ejecutar(argumentos({"--fuera-de-linea"})).estado, 0);

    Salida s = ejecutar(argumentosRecepcion({}), Credenciales(), /*recepcion=*/true);

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.credenciales,
              "recepcion: origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario "
              "de ISC_USER, clave de ISC_PASSWORD");
    EXPECT_EQ(s.errores,
              prueba::ConcluidoEnConsola(Corrida::Recepcion, {.visitadas = 1, .copiadas = 1}));
    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID, PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"1", "FV", "000123"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"2"}}));
}

TEST_F(Desatendido, SinArchivoDeEnvioLaRecepcionDiceQueLadoFallaYTerminaConEstado2) {
    Salida s = ejecutar(argumentosRecepcion({"--reemplazar"}), Credenciales(), /*recepcion=*/true);

    EXPECT_EQ(s.estado, 2);
    const std::string archivo = e.instalacion.ruta("datos/002/envio.fdb");
    EXPECT_EQ(s.errores, "recepcion: no se pudo conectar con el origen (" + servidor() +
                             "/datos/002/envio.fdb)\nNo se encontró el archivo o la ruta " +
                             archivo + "\n");
}

TEST_F(Desatendido, LaRecepcionNoTomaLasOpcionesDelEnvio) {
    Salida s = ejecutar(argumentosRecepcion({"--en-linea"}), Credenciales(), /*recepcion=*/true);

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores,
              "recepcion: opción desconocida: --en-linea\n"
              "Vea las opciones con: recepcion --desatendido --help\n");
}

// On a terminal the entries visited are counted in place, and the count is gone before the
// next message; elsewhere nothing but the messages is written.
TEST_F(Desatendido, ElProgresoSeDibujaSoloEnUnaTerminal) {
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    sql.push_back(Auditoria(2, 19, 0, "I", "XX000001"));
    EjecutarSql(e.origen(), sql);

    Salida s = ejecutar(argumentos({"--en-linea"}), Credenciales(), false, /*terminal=*/true);

    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.errores.find("\renvio: 0 de 2 entradas [......"), std::string::npos);
    EXPECT_NE(s.errores.find("\renvio: 2 de 2 entradas [######"), std::string::npos);
    // The count is gone before the closing message; the summary follows it.
    const size_t fin = s.errores.rfind(
        "\r\033[K" + Final({.visitadas = 2, .copiadas = 1, .noSeleccionadas = 1}));
    ASSERT_NE(fin, std::string::npos) << s.errores;
    EXPECT_TRUE(s.errores.ends_with(
        "\r\033[K" + Final({.visitadas = 2, .copiadas = 1, .noSeleccionadas = 1})))
        << s.errores;
    EXPECT_EQ(s.errores.find('\r', fin + 1), std::string::npos) << s.errores;
}

// What the sign-in does, on its own.
TEST(InicioSesion, ElUsuarioSeGuardaEnMayusculasSoloDeLaAALaZ) {
    EXPECT_EQ(MayusculasUsuario("prueba"), "PRUEBA");
    EXPECT_EQ(MayusculasUsuario("ana.mar\xED"
                                "a_1\xF1"),
              "ANA.MAR\xED"
              "A_1\xF1");
}

TEST(InicioSesion, UnaComillaEnElUsuarioNoCambiaLaSentencia) {
    EXPECT_EQ(SentenciaComprobarUsuario("o'brien"),
              "select usua_nombre from usuario where usua_cod = 'O''BRIEN'");

    prueba::Instalacion instalacion;
    SesionOrigen general("DbGeneral");
    ConectarGeneral(general, instalacion.servidor(Acceso::Servidor), "prueba", prueba::kClave);
    EXPECT_NO_THROW(ComprobarUsuario(general, "o'brien' or ''='"));
}

TEST(InicioSesion, TiposMarcadosYNombresDeCompania) {
    prueba::Instalacion instalacion;
    const std::string servidor = instalacion.servidor(Acceso::Servidor);
    EjecutarSql(instalacion.ubicacion(Acceso::Servidor, "datos/general.fdb"),
                {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('001', 'Compa\xF1\xED"
                 "a')"});

    SesionOrigen dbsop("DBsop");
    const auto tipos =
        CargarTiposDocumento(dbsop, servidor, prueba::kUsuario, EncriptarClave(prueba::kClave));
    ASSERT_FALSE(tipos.empty());
    EXPECT_EQ(tipos.front().codigo, 1);
    EXPECT_EQ(tipos.front().nombre, "COMPROBANTES CONTABLES");
    EXPECT_TRUE(std::is_sorted(tipos.begin(), tipos.end(),
                               [](const auto& a, const auto& b) { return a.codigo < b.codigo; }));
    EXPECT_TRUE(std::all_of(tipos.begin(), tipos.end(), [](const auto& t) { return t.marcado; }));

    SesionOrigen general("DbGeneral");
    ConectarGeneral(general, servidor, prueba::kUsuario, prueba::kClave);
    EXPECT_EQ(NombreCompania(general, "001"),
              "Compa\xF1\xED"
              "a");
    EXPECT_EQ(NombreCompania(general, "009"), "");
}

}  // namespace
}  // namespace velmora
