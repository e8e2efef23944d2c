// Both programs started as a scheduler starts them: the real executables as processes of
// their own, nothing in their environment but PATH, HOME and what the case adds, no terminal,
// no display, a scratch folder as HOME and working folder. What they print, their exit
// status, and what they leave in the databases and on disk.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "foundation/clave.h"
#include "foundation/reclamo.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/proceso.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using prueba::Acceso;
using prueba::Auditoria;
using prueba::ConcluidoEnConsola;
using prueba::Corrida;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::Factura;
using prueba::LeerArchivo;
using prueba::Proceso;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;
using Entorno = std::map<std::string, std::string>;

const std::string kCredenciales =
    "envio: origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario de ISC_USER, "
    "clave de ISC_PASSWORD\n";
const std::string kRechazoFx =
    "Operation violates CHECK constraint CHK_SIN_FX on view or table FACTURAS\n"
    "-At trigger 'CHECK_1'\n";

struct Salida {
    int estado = -1;
    std::string errores, salida;
};

// The last line of a console.
std::string UltimaLinea(const std::string& texto) {
    if (texto.empty() || texto.back() != '\n') return {};
    const size_t inicio = texto.rfind('\n', texto.size() - 2);
    return texto.substr(inicio == std::string::npos ? 0 : inicio + 1,
                        texto.size() - 1 - (inicio == std::string::npos ? 0 : inicio + 1));
}

// A TCP port of this machine on which nothing listens.
int BuscarPuertoLibre() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion);
    socklen_t largo = sizeof direccion;
    getsockname(s, reinterpret_cast<sockaddr*>(&direccion), &largo);
    close(s);
    return ntohs(direccion.sin_port);
}

int PuertoLibre() {
    static const int puerto = BuscarPuertoLibre();
    return puerto;
}

// A server that takes connections and never answers: a sign-in against it waits.
class ServidorMudo {
  public:
    ServidorMudo() {
        socket_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in direccion{};
        direccion.sin_family = AF_INET;
        direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(socket_, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion);
        listen(socket_, 8);
        socklen_t largo = sizeof direccion;
        getsockname(socket_, reinterpret_cast<sockaddr*>(&direccion), &largo);
        puerto_ = ntohs(direccion.sin_port);
    }
    ~ServidorMudo() { close(socket_); }
    int puerto() const { return puerto_; }

  private:
    int socket_ = -1, puerto_ = 0;
};

// Companies 001 and 002 and the user in the general database; the runs are started with
// --instalacion unless a case says otherwise.
class Programada : public ::testing::Test {
  public:
    explicit Programada(Acceso acceso = Acceso::Servidor) : e(acceso) {
        EjecutarSql(e.instalacion.ubicacion(acceso, "datos/general.fdb"),
                    {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('001', 'Origen')",
                     "INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('002', 'Destino')",
                     "INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE) VALUES ('PRUEBA', 'Prueba')"});
        std::string plantilla = (fs::temp_directory_path() / "velmora-hogar-XXXXXX").string();
        if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
        hogar = plantilla;
        raizAntes = EnLaRaiz();
    }
    ~Programada() override {
        std::error_code ignorado;
        fs::remove_all(hogar, ignorado);
    }

    std::string servidor() const { return e.instalacion.servidor(e.acceso); }

    // What a scheduler gives: PATH, and HOME where a person's session would have it.
    Entorno entorno(const Entorno& mas = {}) const {
        Entorno r{{"PATH", "/usr/bin:/bin"},
                  {"HOME", hogar},
                  {"ISC_USER", "PRUEBA"},
                  {"ISC_PASSWORD", prueba::kClave}};
        for (const auto& [k, v] : mas) r[k] = v;
        return r;
    }

    std::vector<std::string> argumentos(std::vector<std::string> opciones,
                                        const std::string& origen = "001",
                                        const std::string& destino = "002") const {
        opciones.insert(opciones.begin(), "--desatendido");
        for (const auto& a : {servidor(), origen, servidor(), destino}) opciones.push_back(a);
        return opciones;
    }

    std::unique_ptr<Proceso> iniciar(const std::vector<std::string>& argumentos,
                                     const Entorno& entorno,
                                     const std::string& programa = VELMORA_ENVIO_PROGRAMA) {
        return std::make_unique<Proceso>(programa, argumentos, entorno, salidas(), hogar);
    }

    Salida ejecutar(const std::vector<std::string>& argumentos, const Entorno& entorno,
                    const std::string& programa = VELMORA_ENVIO_PROGRAMA) {
        auto p = iniciar(argumentos, entorno, programa);
        Salida s;
        s.estado = p->esperar();
        s.errores = p->errores();
        s.salida = p->salida();
        return s;
    }

    // The process's own files lie beside the scratch folder, not in it.
    std::string salidas() const {
        const std::string carpeta = e.instalacion.ruta("salidas");
        fs::create_directories(carpeta);
        return carpeta;
    }

    // Nothing was written outside the installation folder: the scratch folder (HOME and
    // working folder) is empty, and the root folder holds no log.
    void nadaFueraDeLaInstalacion() const {
        EXPECT_TRUE(fs::is_empty(hogar)) << fs::directory_iterator(hogar)->path();
        EXPECT_EQ(EnLaRaiz(), raizAntes);
    }

    std::string marcas() const {
        std::string r;
        for (const auto& f :
             Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"))
            r += f[0];
        return r;
    }

    void facturas(int cantidad, int detalles) {
        std::vector<std::string> sql;
        for (int i = 1; i <= cantidad; ++i) {
            char numero[7];
            std::snprintf(numero, sizeof numero, "%06d", i);
            for (auto& s : Factura(i, "FV", numero, detalles)) sql.push_back(s);
            sql.push_back(Auditoria(i, 31, i, "I", std::string("FV") + numero));
        }
        EjecutarSql(e.origen(), sql);
    }

    EscenarioEnvio e;
    std::string hogar;

  private:
    static std::string EnLaRaiz() {
        std::string r;
        for (const char* f : {"/ENVIO.TXT", "/ERRORES.TXT"})
            r += std::to_string(fs::exists(f) ? fs::file_size(f) : 0) + ",";
        return r;
    }
    std::string raizAntes;
};

// ---------------------------------------------------------------- faults mended

struct CasoDetenido {
    const char* nombre;
    std::function<std::vector<std::string>(const Programada&)> argumentos;
    std::function<Entorno(const Programada&)> entorno;  // added to the scheduler's
    std::function<std::string(const Programada&)> errores;
    const char* programa = VELMORA_ENVIO_PROGRAMA;
};

Entorno Nada(const Programada&) {
    return {};
}

void PrintTo(const CasoDetenido& c, std::ostream* salida) {
    *salida << c.nombre;
}

class SeDetieneAntesDeEscribir : public Programada,
                                 public ::testing::WithParamInterface<CasoDetenido> {};

// Each case stops with status 2 and its one message before anything is written: no trail, no
// mark, no transfer file, nothing outside the installation.
TEST_P(SeDetieneAntesDeEscribir, ConEstado2YUnMensaje) {
    const CasoDetenido& c = GetParam();
    facturas(1, 1);

    Salida s = ejecutar(c.argumentos(*this), entorno(c.entorno(*this)), c.programa);

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores, c.errores(*this));
    EXPECT_EQ(s.salida, "");
    EXPECT_EQ(marcas(), "N");
    EXPECT_FALSE(fs::exists(e.instalacion.ruta("ENVIO.TXT")));
    EXPECT_FALSE(fs::exists(e.instalacion.ruta("datos/002/envio.fdb")));
    nadaFueraDeLaInstalacion();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SeDetieneAntesDeEscribir,
    ::testing::Values(
        // A scheduler passes no XDG_CONFIG_DIRS: the file under /etc/xdg is the one read.
        CasoDetenido{"SinInstalacionNiConfiguracion",
                     [](const auto& t) { return t.argumentos({"--en-linea"}); }, Nada,
                     [](const auto&) {
                         return std::string(
                             "envio: no se conoce la carpeta de instalación: indíquela con "
                             "--instalacion CARPETA o con la clave Directorio de "
                             "/etc/xdg/Zorvik/Velmora2009.conf\n");
                     }},
        CasoDetenido{"ConfiguracionSinDirectorio", [](const auto& t) { return t.argumentos({}); },
                     [](const auto& t) {
                         const std::string xdg = t.e.instalacion.ruta("otra-xdg");
                         fs::create_directories(xdg + "/Zorvik");
                         std::ofstream(xdg + "/Zorvik/Velmora2009.conf") << "[General]\n";
                         return Entorno{{"XDG_CONFIG_DIRS", xdg}};
                     },
                     [](const auto& t) {
                         return "recepcion: no se conoce la carpeta de instalación: indíquela "
                                "con --instalacion CARPETA o con la clave Directorio de " +
                                t.e.instalacion.ruta("otra-xdg") + "/Zorvik/Velmora2009.conf\n";
                     },
                     VELMORA_RECEPCION_PROGRAMA},
        CasoDetenido{"ConfiguracionConUnaCarpetaQueNoExiste",
                     [](const auto& t) { return t.argumentos({"--en-linea"}); },
                     [](const auto& t) {
                         const std::string xdg = t.e.instalacion.ruta("otra-xdg");
                         fs::create_directories(xdg + "/Zorvik");
                         std::ofstream(xdg + "/Zorvik/Velmora2009.conf")
                             << "[General]\nDirectorio=/no/existe/velmora\n";
                         return Entorno{{"XDG_CONFIG_DIRS", xdg}};
                     },
                     [](const auto& t) {
                         return "envio: la carpeta de instalación de " +
                                t.e.instalacion.ruta("otra-xdg") +
                                "/Zorvik/Velmora2009.conf no existe: /no/existe/velmora\n"
                                "Vea las opciones con: envio --desatendido --help\n";
                     }},
        CasoDetenido{"CompaniaOrigenQueNoExiste",
                     [](const auto& t) {
                         return t.argumentos({"--instalacion", t.e.instalacion.raiz()}, "009");
                     },
                     Nada,
                     [](const auto& t) {
                         return kCredenciales +
                                "La compañía 009 no existe en la instalación "
                                "de origen (" +
                                t.servidor() + ").\n";
                     }},
        CasoDetenido{"SinPantallaYSinDesatendido",
                     [](const auto& t) {
                         auto a = t.argumentos({});
                         a.erase(a.begin());
                         return a;
                     },
                     Nada,
                     [](const auto&) {
                         return std::string(
                             "envio: no hay pantalla (DISPLAY y WAYLAND_DISPLAY vacías); "
                             "--desatendido corre sin ella: envio --desatendido --help\n");
                     }},
        // Told to use X, with no X display to use.
        CasoDetenido{
            "PlataformaXSinPantalla",
            [](const auto& t) {
                auto a = t.argumentos({});
                a.erase(a.begin());
                return a;
            },
            [](const auto&) {
                return Entorno{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}};
            },
            [](const auto&) {
                return std::string(
                    "recepcion: no hay pantalla (DISPLAY y WAYLAND_DISPLAY vacías); "
                    "--desatendido corre sin ella: recepcion --desatendido --help\n");
            },
            VELMORA_RECEPCION_PROGRAMA},
        CasoDetenido{
            "ServidorQueNoEscuchaEnSuPuerto",
            [](const auto& t) {
                const std::string s =
                    "localhost/" + std::to_string(PuertoLibre()) + ":" + t.e.instalacion.raiz();
                return std::vector<std::string>{
                    "--desatendido", "--instalacion", t.e.instalacion.raiz(), s, "001", s, "002"};
            },
            Nada,
            [](const auto& t) {
                const std::string p = std::to_string(PuertoLibre());
                return kCredenciales + "envio: no se pudo conectar con el origen (localhost/" + p +
                       ":" + t.e.instalacion.raiz() +
                       "/datos/general.fdb)\nEl equipo servidor localhost no acepta "
                       "conexiones en el puerto " +
                       p +
                       ": el servidor de bases de datos no está en marcha o escucha en "
                       "otro puerto.\n";
            }},
        CasoDetenido{"RangoInvertido",
                     [](const auto& t) {
                         return t.argumentos({"--instalacion", t.e.instalacion.raiz(), "--desde",
                                              "2026-03-31", "--hasta", "2026-03-01"});
                     },
                     Nada,
                     [](const auto&) {
                         return std::string("La fecha Hasta: es anterior a la fecha Desde:.\n");
                     }}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ---------------------------------------------------------------- the installation folder

// Without any settings, --instalacion names where the trail and the error log go; the
// refused entry's message stands once, whole, with the answer to its question, and the
// summary ends the output.
TEST_F(Programada, ConInstalacionLosRegistrosQuedanEnSuCarpetaYNoEnOtra) {
    auto sql = Factura(1, "FX", "000001", 1);
    for (auto& s : Factura(2, "FV", "000002", 1)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 1, "I", "FX000001", "2026-03-02", "10:00:00"));
    sql.push_back(Auditoria(2, 31, 2, "I", "FV000002", "2026-03-02", "11:00:00"));
    EjecutarSql(e.origen(), sql);
    EjecutarSql(e.destino(),
                {"ALTER TABLE FACTURAS ADD CONSTRAINT CHK_SIN_FX CHECK (PREF_PRE <> 'FX')"});

    Salida s = ejecutar(argumentos({"--instalacion", e.instalacion.raiz(), "--en-linea",
                                    "--al-fallar", "continuar"}),
                        entorno());

    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.errores, kCredenciales + kRechazoFx +
                             "Error transmitiendo FACTURAS DE VENTA FX000001. Continuar? Sí "
                             "(--al-fallar continuar)\n" +
                             ConcluidoEnConsola(Corrida::Envio,
                                                {.visitadas = 2, .copiadas = 1, .fallidas = 1},
                                                prueba::ErroresMostrado(e.instalacion)));
    EXPECT_EQ(marcas(), "NS");
    EXPECT_EQ(Textos(e.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000002"}}));
    EXPECT_EQ(prueba::SinFechas(e.traza()), "F,H,1,31,FX000001\r\nF,H,2,31,FV000002\r\n");
    EXPECT_EQ(prueba::SinFechas(e.errores()),
              "F,H,PRUEBA,Error transmitiendo FACTURAS DE VENTA FX000001\r\n");
    nadaFueraDeLaInstalacion();
}

// The README's crontab line, as written but for the folders of this test: run by a shell
// from an empty environment, as cron runs it.
TEST_F(Programada, LaLineaDeCrontabDelReadmeFuncionaComoEstaEscrita) {
    facturas(3, 2);
    const std::string readme = LeerArchivo(std::string(VELMORA_FUENTES_DIR) + "/README.md");
    std::smatch linea;
    ASSERT_TRUE(std::regex_search(readme, linea, std::regex("\n30 2 \\* \\* \\* ([^\n]+)\n")))
        << "no crontab line in the README";
    std::string orden = linea[1];
    // The README's folders, for this test's.
    const std::string credenciales = hogar + "/../" + fs::path(hogar).filename().string() + ".env";
    std::ofstream(credenciales) << "export ISC_USER=PRUEBA\nexport ISC_PASSWORD=" << prueba::kClave
                                << "\n";
    for (const auto& [de, a] : std::vector<std::pair<std::string, std::string>>{
             {"/etc/velmora/envio.env", credenciales},
             {"/usr/local/bin/envio", VELMORA_ENVIO_PROGRAMA},
             {"/srv/velmora", e.instalacion.raiz()},
             // The README names the machine's server; the tests have their own.
             {"localhost:", prueba::ServidorPruebas() + ":"}}) {
        ASSERT_NE(orden.find(de), std::string::npos) << orden;
        for (size_t i; (i = orden.find(de)) != std::string::npos;) orden.replace(i, de.size(), a);
    }

    auto proceso = std::make_unique<Proceso>("/bin/sh", std::vector<std::string>{"-c", orden},
                                             Entorno{{"PATH", "/usr/bin:/bin"}}, salidas(), hogar);
    const int estado = proceso->esperar();
    fs::remove(credenciales);

    EXPECT_EQ(estado, 0) << proceso->errores();
    EXPECT_EQ(proceso->errores(), "");
    EXPECT_EQ(LeerArchivo(e.instalacion.ruta("programado.log")),
              kCredenciales +
                  ConcluidoEnConsola(Corrida::Envio, {.visitadas = 3, .copiadas = 3}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"6"}}));
    EXPECT_EQ(marcas(), "SSS");
    nadaFueraDeLaInstalacion();
}

// ---------------------------------------------------------------- progress on a terminal

// The program on a terminal of `columnas` columns: what the terminal received, and how the
// program ended.
std::pair<int, std::string> EnUnaTerminal(const std::vector<std::string>& argumentos,
                                          const Entorno& entorno, const std::string& carpeta,
                                          unsigned short columnas) {
    std::vector<std::string> textos{VELMORA_ENVIO_PROGRAMA};
    textos.insert(textos.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& t : textos) argv.push_back(t.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const auto& [k, v] : entorno) variables.push_back(k + "=" + v);
    std::vector<char*> envp;
    for (auto& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);

    winsize ventana{};
    ventana.ws_row = 24;
    ventana.ws_col = columnas;
    int maestro = -1;
    const pid_t pid = forkpty(&maestro, nullptr, nullptr, &ventana);
    if (pid < 0) return {-1, "forkpty failed"};
    if (pid == 0) {
        if (chdir(carpeta.c_str()) != 0) _exit(127);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    std::string terminal;
    char bloque[4096];
    for (;;) {
        pollfd espera{maestro, POLLIN, 0};
        if (poll(&espera, 1, 30000) <= 0) break;
        const ssize_t leidos = read(maestro, bloque, sizeof bloque);
        if (leidos <= 0) break;  // EIO: the program closed the terminal
        terminal.append(bloque, size_t(leidos));
    }
    close(maestro);
    int estado = 0;
    waitpid(pid, &estado, 0);
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, terminal};
}

// On a terminal the progress line is redrawn in place and never reaches the last column, so
// it never wraps: a bar where there is room, the count cut where there is not.
TEST_F(Programada, ElProgresoCabeEnElAnchoDeLaTerminal) {
    facturas(30, 1);
    const struct {
        unsigned short columnas;
        std::string final;  // the last progress line drawn
    } casos[] = {
        {40, "envio: 30 de 30 entradas [#######] 100%"},
        {80, "envio: 30 de 30 entradas [########################################] 100%"},
        {20, "envio: 30 de 30 ent"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.columnas);
        EjecutarSql(e.origen(), {"UPDATE AUDITORIA SET AUDI_ENVIO = 'N'"});

        const auto [estado, terminal] =
            EnUnaTerminal(argumentos({"--instalacion", e.instalacion.raiz(), "--en-linea"}),
                          entorno(), hogar, c.columnas);

        EXPECT_EQ(estado, 0) << terminal;
        // What the terminal shows, piece by piece between carriage returns and line feeds,
        // with the erase-to-end-of-line sequences taken out.
        const std::string limpio = std::regex_replace(terminal, std::regex("\033\\[K"), "");
        std::vector<std::string> progreso;
        size_t inicio = 0;
        for (size_t i = 0; i <= limpio.size(); ++i) {
            if (i < limpio.size() && limpio[i] != '\r' && limpio[i] != '\n') continue;
            const std::string tramo = limpio.substr(inicio, i - inicio);
            if (std::regex_search(tramo, std::regex("^envio: [0-9]+ de 30")))
                progreso.push_back(tramo);
            inicio = i + 1;
        }
        ASSERT_FALSE(progreso.empty()) << terminal;
        for (const std::string& tramo : progreso) EXPECT_LT(tramo.size(), c.columnas) << tramo;
        EXPECT_EQ(progreso.back(), c.final);
        // The count is gone before the closing message; the summary ends the output.
        EXPECT_TRUE(terminal.ends_with(
            "\r\033[K" + ConcluidoEnConsola(Corrida::Envio, {.visitadas = 30, .copiadas = 30},
                                            {}, "\r\n")))
            << terminal;
    }
    nadaFueraDeLaInstalacion();
}

// ---------------------------------------------------------------- signals

struct CasoSenal {
    const char* nombre;
    Acceso acceso;
    int senal;
};

void PrintTo(const CasoSenal& c, std::ostream* salida) {
    *salida << c.nombre;
}

class Senales : public Programada, public ::testing::WithParamInterface<CasoSenal> {
  public:
    Senales() : Programada(GetParam().acceso) {}
};

// A signal in the middle of a run ends it after the entry in progress, within a second, with
// 128 + the signal's number and the summary as the last line; the entries that arrived are
// whole and marked, and the next run sends the rest.
TEST_P(Senales, DetienenLaCorridaEntreEntradasConElResumen) {
    constexpr int kFacturas = 400;
    facturas(kFacturas, 3);
    const auto a = argumentos({"--instalacion", e.instalacion.raiz(), "--en-linea"});
    auto envio = iniciar(a, entorno());
    ASSERT_TRUE(prueba::EsperarLinea(
        *envio, e.instalacion.ruta("ENVIO.TXT"), 0,
        [](const std::string& l) { return l.find(",20,31,") != l.npos; }, 60s))
        << envio->errores();

    const auto enviada = std::chrono::steady_clock::now();
    envio->senalar(GetParam().senal);
    while (!envio->terminado() && std::chrono::steady_clock::now() - enviada < 1s)
        std::this_thread::sleep_for(5ms);
    const auto tardanza = std::chrono::steady_clock::now() - enviada;

    ASSERT_TRUE(envio->terminado()) << "still running a second after the signal";
    EXPECT_LT(tardanza, 1s);
    const std::string errores = envio->errores();
    EXPECT_EQ(envio->esperar(), 128 + GetParam().senal) << errores;
    EXPECT_EQ(errores.find("shutdown"), std::string::npos) << errores;
    std::smatch resumen;
    const std::string ultima = UltimaLinea(errores);
    ASSERT_TRUE(std::regex_match(
        ultima, resumen,
        std::regex("([0-9]+) entradas: ([0-9]+) enviadas, 0 fallidas, 0 no seleccionadas")))
        << errores;
    const int enviadas = std::stoi(resumen[2]);
    // Before it, the closing message says that the run was stopped.
    EXPECT_TRUE(errores.ends_with(ConcluidoEnConsola(Corrida::Envio,
                                                     {.visitadas = std::stoi(resumen[1]),
                                                      .copiadas = enviadas,
                                                      .interrumpido = true})))
        << errores;
    // The 20th entry had begun: it is whole, or undone whole.
    EXPECT_GE(enviadas, 19);
    EXPECT_LT(enviadas, kFacturas);
    // Whole entries only, each marked.
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"),
              (Filas{{std::to_string(enviadas)}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"),
              (Filas{{std::to_string(3 * enviadas)}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'"),
              (Filas{{std::to_string(enviadas)}}));

    // The next run sends the rest, and only the rest.
    Salida siguiente = ejecutar(a, entorno());
    EXPECT_EQ(siguiente.estado, 0) << siguiente.errores;
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*), COUNT(DISTINCT FACT_NUMERO) FROM FACTURAS"),
              (Filas{{std::to_string(kFacturas), std::to_string(kFacturas)}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"),
              (Filas{{std::to_string(3 * kFacturas)}}));
    EXPECT_EQ(marcas(), std::string(kFacturas, 'S'));
    nadaFueraDeLaInstalacion();
}

INSTANTIATE_TEST_SUITE_P(Casos, Senales,
                         ::testing::Values(CasoSenal{"SigtermServidor", Acceso::Servidor, SIGTERM},
                                           CasoSenal{"SigintServidor", Acceso::Servidor, SIGINT},
                                           CasoSenal{"SigtermEmbebido", Acceso::Embebido, SIGTERM},
                                           CasoSenal{"SigintEmbebido", Acceso::Embebido, SIGINT}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A signal while the sign-in waits on a server that does not answer ends the program too.
TEST_F(Programada, UnaSenalDuranteElInicioDeSesionTerminaElPrograma) {
    ServidorMudo mudo;
    const std::string s = "localhost/" + std::to_string(mudo.puerto()) + ":" + e.instalacion.raiz();
    for (int senal : {SIGINT, SIGTERM}) {
        auto envio =
            iniciar({"--desatendido", "--instalacion", e.instalacion.raiz(), s, "001", s, "002"},
                    entorno());
        // Long enough to be inside the sign-in.
        std::this_thread::sleep_for(500ms);
        ASSERT_FALSE(envio->terminado()) << envio->errores();

        const auto enviada = std::chrono::steady_clock::now();
        envio->senalar(senal);
        while (!envio->terminado() && std::chrono::steady_clock::now() - enviada < 1s)
            std::this_thread::sleep_for(5ms);

        ASSERT_TRUE(envio->terminado()) << "still running a second after the signal";
        EXPECT_EQ(envio->esperar(), 128 + senal);
        EXPECT_EQ(envio->errores(), kCredenciales + "envio: detenido por " +
                                        (senal == SIGINT ? "SIGINT" : "SIGTERM") +
                                        " antes de empezar\n");
    }
    EXPECT_FALSE(fs::exists(e.instalacion.ruta("ENVIO.TXT")));
    nadaFueraDeLaInstalacion();
}

// ---------------------------------------------------------------- one run per origin

DatosAcceso AccesoDePrueba(const std::string& servidor) {
    return DatosAcceso{prueba::kUsuario, EncriptarClave(prueba::kClave), servidor,
                       prueba::kUsuario, EncriptarClave(prueba::kClave), servidor};
}

// Another send from the same origin company (a window, another workstation) holds its
// claim: the scheduled send stops before it writes anything, and runs once the other ends.
TEST_F(Programada, UnEnvioEnCursoDesdeLaMismaCompaniaDetieneAlOtro) {
    facturas(2, 1);
    DialogosGrabados otro;
    auto reclamo = ReclamarEnvio(AccesoDePrueba(servidor()), "001", otro);
    ASSERT_TRUE(reclamo);
    const auto a = argumentos({"--instalacion", e.instalacion.raiz()});

    Salida s = ejecutar(a, entorno());

    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.errores, kCredenciales + "Ya hay un envío en curso desde la compañía 001.\n");
    EXPECT_FALSE(fs::exists(e.instalacion.ruta("ENVIO.TXT")));
    EXPECT_FALSE(fs::exists(e.instalacion.ruta("datos/002/envio.fdb")));
    EXPECT_EQ(marcas(), "NN");
    // The window's run meets the same claim.
    const ResultadoEnvio ventana = e.enviar();
    EXPECT_FALSE(ventana.iniciado);
    ASSERT_FALSE(e.dialogos.llamadas().empty());
    EXPECT_EQ(e.dialogos.llamadas().back(),
              Mensaje("Ya hay un env\xEDo en curso desde la compa\xF1\xED"
                      "a 001."));
    // A send from another company is not held back.
    EXPECT_EQ(ejecutar(argumentos({"--instalacion", e.instalacion.raiz()}, "002", "001"), entorno())
                  .estado,
              0);

    reclamo.reset();
    Salida despues = ejecutar(a, entorno());
    EXPECT_EQ(despues.estado, 0) << despues.errores;
    EXPECT_EQ(marcas(), "SS");
}

// The claim goes with the process: a send killed in the middle leaves nothing that holds
// back the next one.
TEST_F(Programada, UnEnvioMatadoNoRetieneLaCompania) {
    facturas(300, 2);
    const auto a = argumentos({"--instalacion", e.instalacion.raiz(), "--en-linea"});
    auto envio = iniciar(a, entorno());
    ASSERT_TRUE(prueba::EsperarLinea(
        *envio, e.instalacion.ruta("ENVIO.TXT"), 0,
        [](const std::string& l) { return l.find(",10,31,") != l.npos; }, 60s));
    envio->matar();

    Salida s = ejecutar(a, entorno());

    EXPECT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(marcas(), std::string(300, 'S'));
}

// Receptions claim their transfer file: a second reception of the same file stops, while a
// send from the company of the same code (another program, another row) does not hold it.
TEST_F(Programada, UnaRecepcionEnCursoDetieneALaOtraYNoAlEnvio) {
    facturas(1, 1);
    ASSERT_EQ(ejecutar(argumentos({"--instalacion", e.instalacion.raiz()}), entorno()).estado, 0);
    const auto recibir = argumentos({"--instalacion", e.instalacion.raiz()}, "002", "002");
    DialogosGrabados otro;

    {
        auto reclamo = ReclamarRecepcion(AccesoDePrueba(servidor()), "002", otro);
        ASSERT_TRUE(reclamo);
        Salida s = ejecutar(recibir, entorno(), VELMORA_RECEPCION_PROGRAMA);
        EXPECT_EQ(s.estado, 2);
        EXPECT_TRUE(s.errores.ends_with(
            "Ya hay una recepción en curso del archivo de envío de la compañía 002.\n"))
            << s.errores;
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"0"}}));
    }
    {
        auto reclamo = ReclamarEnvio(AccesoDePrueba(servidor()), "002", otro);
        ASSERT_TRUE(reclamo);
        Salida s = ejecutar(recibir, entorno(), VELMORA_RECEPCION_PROGRAMA);
        EXPECT_EQ(s.estado, 0) << s.errores;
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"1"}}));
    }
}

}  // namespace
}  // namespace velmora
