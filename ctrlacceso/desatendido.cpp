#include "ctrlacceso/desatendido.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>

#include <signal.h>

#include "foundation/errores.h"
#include "foundation/inicio_sesion.h"
#include "foundation/sesion.h"
#include "foundation/texto.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

// Our own console texts are UTF-8, like the arguments they are about; texts of the core
// (Windows-1252) are converted as they reach the console.
struct ErrorArgumentos {
    std::string mensaje;
};

// The windows' own message for it, said before anything is opened.
struct RangoInvertido {};
// A company code that the installation lacks; the text is UTF-8.
struct CompaniaDesconocida {
    std::string mensaje;
};
const char kRangoInvertido[] = "La fecha Hasta: es anterior a la fecha Desde:.";

struct Opciones {
    bool ayuda = false;
    std::optional<bool> reemplazar;
    std::string desde, hasta, prefijo;
    std::optional<std::vector<int>> tipos;
    bool continuarAlFallar = false;
    std::string instalacion;  // as given, UTF-8
    int esperaBloqueo = 30;
    std::vector<std::string> propias;
    std::vector<std::string> posicionales;
};

bool EsBisiesto(int anio) {
    return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
}

// Exactly YYYY-MM-DD, and a day that exists.
bool FechaValida(const std::string& t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (t[i] < '0' || t[i] > '9') return false;
    const int anio = std::stoi(t.substr(0, 4)), mes = std::stoi(t.substr(5, 2)),
              dia = std::stoi(t.substr(8, 2));
    static const int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (anio < 1 || mes < 1 || mes > 12 || dia < 1) return false;
    return dia <= kDias[mes - 1] + (mes == 2 && EsBisiesto(anio) ? 1 : 0);
}

std::vector<int> LeerTipos(const std::string& lista) {
    std::vector<int> tipos;
    size_t inicio = 0;
    while (true) {
        const size_t coma = std::min(lista.find(',', inicio), lista.size());
        const std::string codigo = lista.substr(inicio, coma - inicio);
        if (codigo.empty() || codigo.size() > 9 ||
            !std::all_of(codigo.begin(), codigo.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw ErrorArgumentos{"lista de tipos no válida en --tipos: " + lista};
        tipos.push_back(std::stoi(codigo));
        if (coma == lista.size()) return tipos;
        inicio = coma + 1;
    }
}

Opciones LeerOpciones(const ProgramaDesatendido& programa,
                      const std::vector<std::string>& argumentos) {
    Opciones o;
    // Each choice once: a repeated or contradicting option in a scheduled command is a
    // mistake, not something to settle silently.
    std::vector<std::string> dadas;
    auto anotar = [&](const std::string& grupo, const std::string& opcion) {
        if (std::find(dadas.begin(), dadas.end(), grupo) != dadas.end())
            throw ErrorArgumentos{"opción repetida o contradictoria: " + opcion};
        dadas.push_back(grupo);
    };
    auto grupoPropio = [&](const std::string& a) -> const std::vector<std::string>* {
        for (const auto& grupo : programa.opcionesPropias)
            if (std::find(grupo.begin(), grupo.end(), a) != grupo.end()) return &grupo;
        return nullptr;
    };
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        auto valor = [&]() -> std::string {
            if (i + 1 >= argumentos.size() || argumentos[i + 1].rfind("--", 0) == 0)
                throw ErrorArgumentos{"falta el valor de " + a};
            return argumentos[++i];
        };
        if (a == "--help") {
            o.ayuda = true;
        } else if (const auto* grupo = grupoPropio(a)) {
            anotar(grupo->front(), a);
            o.propias.push_back(a);
        } else if (a == "--reemplazar" || a == "--omitir") {
            anotar("existentes", a);
            o.reemplazar = a == "--reemplazar";
        } else if (a == "--desde" || a == "--hasta") {
            anotar(a, a);
            const std::string fecha = valor();
            if (!FechaValida(fecha))
                throw ErrorArgumentos{"fecha no válida en " + a + ": " + fecha +
                                      " (se espera AAAA-MM-DD)"};
            (a == "--desde" ? o.desde : o.hasta) = fecha;
        } else if (a == "--prefijo") {
            anotar(a, a);
            o.prefijo = valor();
        } else if (a == "--tipos") {
            anotar(a, a);
            o.tipos = LeerTipos(valor());
        } else if (a == "--instalacion") {
            anotar(a, a);
            o.instalacion = valor();
        } else if (a == "--espera-bloqueo") {
            anotar(a, a);
            const std::string segundos = valor();
            if (segundos.empty() || segundos.size() > 6 ||
                !std::all_of(segundos.begin(), segundos.end(),
                             [](char c) { return c >= '0' && c <= '9'; }))
                throw ErrorArgumentos{"valor no válido en --espera-bloqueo: " + segundos +
                                      " (segundos)"};
            o.esperaBloqueo = std::stoi(segundos);
        } else if (a == "--al-fallar") {
            anotar(a, a);
            const std::string respuesta = valor();
            if (respuesta != "continuar" && respuesta != "detener")
                throw ErrorArgumentos{"valor no válido en --al-fallar: " + respuesta +
                                      " (continuar o detener)"};
            o.continuarAlFallar = respuesta == "continuar";
        } else if (a.rfind("--", 0) == 0) {
            throw ErrorArgumentos{"opción desconocida: " + a};
        } else {
            o.posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (o.desde.empty() != o.hasta.empty()) throw ErrorArgumentos{"--desde y --hasta van juntas"};
    // YYYY-MM-DD compares as the dates do.
    if (o.hasta < o.desde) throw RangoInvertido{};
    if (o.posicionales.size() != 4)
        throw ErrorArgumentos{
            "se esperan 4 argumentos (servidor origen, compañía origen, servidor destino, "
            "compañía destino) y se recibieron " +
            std::to_string(o.posicionales.size())};
    return o;
}

// The progress line, at most `columnas` - 1 characters wide so that the terminal never wraps
// it (the last column would move the cursor to the next line on some terminals): the count,
// then a bar in the room that is left, or the count cut when there is no room for it.
std::string LineaProgreso(const std::string& programa, int visitadas, int total, int columnas) {
    const size_t ancho = size_t(std::max(columnas - 1, 1));
    std::string linea =
        programa + ": " + std::to_string(visitadas) + " de " + std::to_string(total) + " entradas";
    const int porciento = total > 0 ? int(int64_t(visitadas) * 100 / total) : 100;
    const std::string cifra = " " + std::to_string(porciento) + "%";
    constexpr size_t kBarraMinima = 5, kBarraMaxima = 40;
    const size_t fijo = linea.size() + 3 + cifra.size();  // " [" "]"
    if (ancho >= fijo + kBarraMinima) {
        const size_t barra = std::min(ancho - fijo, kBarraMaxima);
        const size_t llena =
            total > 0 ? size_t(int64_t(visitadas) * int64_t(barra) / total) : barra;
        linea += " [" + std::string(llena, '#') + std::string(barra - llena, '.') + "]" + cifra;
    }
    if (linea.size() > ancho) linea.resize(ancho);
    return linea;
}

// The run's dialogs, one line each on standard error, and, on a terminal, its progress: the
// entries visited of the total and a bar, cut to the terminal's width, redrawn in place and
// gone at the end. The question is written with the answer the command line gives.
class Consola : public Dialogos, public Progreso {
  public:
    Consola(std::ostream& salida, bool terminal, bool continuar, std::string programa)
        : salida_(salida),
          terminal_(terminal),
          continuar_(continuar),
          programa_(std::move(programa)) {}

    void mensaje(const std::string& texto) override {
        linea(texto);
        anterior_ = texto;
        trasPitido_ = false;
    }
    void error(const std::string& texto) override {
        // After a data error's message and beep, the error dialog repeats that message less
        // its last character (or shows nothing): on a console the message stands once, whole.
        // A text of its own (the required fields) is written.
        const bool repetido = trasPitido_ && anterior_.starts_with(texto);
        trasPitido_ = false;
        if (!repetido) linea(texto);
    }
    bool confirmar(const std::string& texto) override {
        trasPitido_ = false;
        linea(texto +
              (continuar_ ? " S\xED (--al-fallar continuar)" : " No (--al-fallar detener)"));
        return continuar_;
    }
    void pitido() override { trasPitido_ = true; }

    void mostrar() override {}
    void iniciar(int maximo) override {
        total_ = maximo;
        visitadas_ = 0;
        activo_ = terminal_;
        dibujar(true);
    }
    void avanzar() override {
        ++visitadas_;
        dibujar(visitadas_ == total_);
    }
    void ocultar() override {
        borrar();
        activo_ = false;
    }

    // A line of our own, UTF-8.
    void nota(const std::string& utf8) {
        borrar();
        salida_ << utf8 << std::endl;
        dibujar(true);
    }

  private:
    void linea(const std::string& texto) { nota(Utf8DeWindows1252(texto)); }

    void dibujar(bool ahora) {
        if (!activo_) return;
        // A terminal does not need more than a few redraws a second.
        const auto t = std::chrono::steady_clock::now();
        if (!ahora && t - ultimo_ < std::chrono::milliseconds(100)) return;
        ultimo_ = t;
        salida_ << "\r" << LineaProgreso(programa_, visitadas_, total_, Columnas()) << "\033[K"
                << std::flush;
        dibujado_ = true;
    }
    // Asked at every draw, so that a resized window is followed; 80 when standard error
    // does not say.
    int Columnas() const {
        winsize ventana{};
        if (ioctl(STDERR_FILENO, TIOCGWINSZ, &ventana) == 0 && ventana.ws_col > 0)
            return ventana.ws_col;
        return 80;
    }
    void borrar() {
        if (!dibujado_) return;
        salida_ << "\r\033[K" << std::flush;
        dibujado_ = false;
    }

    std::ostream& salida_;
    bool terminal_, continuar_;
    std::string programa_;
    std::string anterior_;  // the last message
    bool trasPitido_ = false;
    bool activo_ = false, dibujado_ = false;
    int total_ = 0, visitadas_ = 0;
    std::chrono::steady_clock::time_point ultimo_{};
};

// The credentials, as the environment gives them; no other part of the programs reads it.
struct Credenciales {
    std::string usuarioOrigen, claveOrigen, usuarioDestino, claveDestino;  // Windows-1252
    std::string nota;  // which variables were read, UTF-8
};

Credenciales LeerCredenciales(const std::map<std::string, std::string>& entorno) {
    auto variable = [&](const char* nombre) -> const std::string* {
        auto it = entorno.find(nombre);
        return it == entorno.end() ? nullptr : &it->second;
    };
    Credenciales c;
    c.usuarioOrigen = Windows1252DeUtf8(*variable("ISC_USER"));
    c.claveOrigen = Windows1252DeUtf8(*variable("ISC_PASSWORD"));
    // An empty destination user counts as none; a destination password is taken as given,
    // an empty one included.
    const std::string* usuarioDestino = variable("ISC_USER_DESTINO");
    const bool conUsuario = usuarioDestino && !usuarioDestino->empty();
    const std::string* claveDestino = variable("ISC_PASSWORD_DESTINO");
    c.usuarioDestino = conUsuario ? Windows1252DeUtf8(*usuarioDestino) : c.usuarioOrigen;
    c.claveDestino = claveDestino ? Windows1252DeUtf8(*claveDestino) : c.claveOrigen;
    c.nota =
        std::string("origen: usuario de ISC_USER, clave de ISC_PASSWORD; destino: usuario de ") +
        (conUsuario ? "ISC_USER_DESTINO" : "ISC_USER") + ", clave de " +
        (claveDestino ? "ISC_PASSWORD_DESTINO" : "ISC_PASSWORD");
    return c;
}

// DbCia, DbGeneral and DBsop reach the origin's installation; DBEnvio and DbGeneraldes the
// destination's.
const char* Lado(const std::string& sesion) {
    return sesion == "DBEnvio" || sesion == "DbGeneraldes" ? "destino" : "origen";
}

// Sign-in and loading as the login window and the main window do them, then the run.
// The name of a signal that stops the run, for the console.
std::string NombreSenal(int senal) {
    if (senal == SIGINT) return "SIGINT";
    if (senal == SIGTERM) return "SIGTERM";
    return "la se\xC3\xB1"
           "al " +
           std::to_string(senal);
}

// Before the run, a stop request ends the program at once: nothing has been written yet, and
// the sign-in may be waiting on a server that does not answer. Once the run has started, the
// run takes the request between entries. The lock makes the two exclusive: the program ends
// either before the run starts or not at all. The state outlives this object, as the
// request's callback, called from the signals' thread, may.
class FinAntesDeLaCorrida {
  public:
    FinAntesDeLaCorrida(SolicitudDetencion* detencion, const std::string& programa)
        : estado_(std::make_shared<Estado>()) {
        estado_->programa = programa;
        if (!detencion) return;
        detencion->alSolicitar = [estado = estado_](int senal) { Terminar(*estado, senal); };
        // A request made before the callback was in place.
        if (detencion->solicitada()) Terminar(*estado_, detencion->senal());
    }
    ~FinAntesDeLaCorrida() { iniciar(); }
    FinAntesDeLaCorrida(const FinAntesDeLaCorrida&) = delete;
    FinAntesDeLaCorrida& operator=(const FinAntesDeLaCorrida&) = delete;

    void iniciar() {
        std::lock_guard<std::mutex> candado(estado_->mutex);
        estado_->iniciada = true;
    }

  private:
    struct Estado {
        std::mutex mutex;
        bool iniciada = false;
        std::string programa;
    };

    static void Terminar(Estado& estado, int senal) {
        std::lock_guard<std::mutex> candado(estado.mutex);
        if (estado.iniciada) return;
        const std::string texto =
            estado.programa + ": detenido por " + NombreSenal(senal) + " antes de empezar\n";
        [[maybe_unused]] ssize_t escrito = write(STDERR_FILENO, texto.data(), texto.size());
        _exit(senal > 0 ? EstadoSalidaSenal(senal) : kErrorDetenido);
    }

    std::shared_ptr<Estado> estado_;
};

// A company that the installation's company list lacks: the run would find no database.
void ExigirCompania(SesionOrigen& general, const std::string& codigo, const char* lado,
                    const std::string& servidor) {
    const std::vector<Compania> companias = ListarCompanias(general);
    if (std::any_of(companias.begin(), companias.end(),
                    [&](const Compania& c) { return c.codigo == codigo; }))
        return;
    throw CompaniaDesconocida{
        "La compa\xC3\xB1\xC3\xAD"
        "a " +
        Utf8DeWindows1252(codigo) + " no existe en la instalaci\xC3\xB3n de " + lado + " (" +
        Utf8DeWindows1252(servidor) + ")."};
}

int Correr(const ProgramaDesatendido& programa, const Opciones& o, const Credenciales& cr,
           const std::string& instalacion, Consola& consola, FinAntesDeLaCorrida& fin,
           SolicitudDetencion* detencion) {
    CorridaDesatendida c;
    DatosAcceso& a = c.acceso;
    SesionOrigen dbGeneral("DbGeneral"), dbGeneraldes("DbGeneraldes"), dbSop("DBsop");

    ConectarOrigen(dbGeneral, Windows1252DeUtf8(o.posicionales[0]), cr.usuarioOrigen,
                   cr.claveOrigen, a);
    ConectarDestino(dbGeneraldes, Windows1252DeUtf8(o.posicionales[2]), cr.usuarioDestino,
                    cr.claveDestino, a);
    c.companiaOrigen = Windows1252DeUtf8(o.posicionales[1]);
    c.companiaDestino = Windows1252DeUtf8(o.posicionales[3]);
    ExigirCompania(dbGeneral, c.companiaOrigen, "origen", a.servidorOrigen);
    ExigirCompania(dbGeneraldes, c.companiaDestino, "destino", a.servidorDestino);

    c.tipos = CargarTiposDocumento(dbSop, a.servidorOrigen, a.usuarioOrigen, a.claveOrigen);
    if (o.tipos) {
        for (int codigo : *o.tipos) {
            if (std::none_of(c.tipos.begin(), c.tipos.end(),
                             [&](const TipoDocumento& t) { return t.codigo == codigo; }))
                throw ErrorArgumentos{"tipo de documento desconocido en --tipos: " +
                                      std::to_string(codigo)};
        }
        for (TipoDocumento& t : c.tipos)
            t.marcado = std::find(o.tipos->begin(), o.tipos->end(), t.codigo) != o.tipos->end();
    }

    c.nombreCompaniaOrigen = NombreCompania(dbGeneral, c.companiaOrigen);
    c.nombreCompaniaDestino = NombreCompania(dbGeneraldes, c.companiaDestino);
    c.reemplazar = o.reemplazar.value_or(programa.reemplazarPorOmision);
    c.desde = o.desde;
    c.hasta = o.hasta;
    c.prefijo = Windows1252DeUtf8(o.prefijo);
    c.opcionesPropias = o.propias;
    c.instalacion = instalacion;
    c.esperaBloqueo = o.esperaBloqueo;
    c.detencion = detencion;

    fin.iniciar();
    const ResultadoDesatendido r = programa.correr(c, consola, consola);
    if (!r.iniciado) return kErrorDetenido;
    // The last line of every run, wherever the output goes.
    consola.nota(std::to_string(r.visitadas) + " entradas: " + std::to_string(r.correctas) + " " +
                 programa.correctas + ", " + std::to_string(r.fallidas) + " fallidas, " +
                 std::to_string(r.noSeleccionadas) + " no seleccionadas");
    if (r.interrumpido && detencion && detencion->senal() > 0)
        return EstadoSalidaSenal(detencion->senal());
    if (r.interrumpido) return kErrorDetenido;
    return r.fallidas > 0 ? kConFallas : kSinFallas;
}

// The installation folder of the run: --instalacion, else the settings. Empty when neither
// gives one.
std::string CarpetaInstalacion(const Opciones& o) {
    if (o.instalacion.empty()) {
        // A folder that is not there would swallow every log line without a word.
        const std::string configurada = DirectorioConfigurado();
        std::error_code error;
        if (!configurada.empty() &&
            !std::filesystem::is_directory(RutaLocal(configurada).toStdString(), error))
            throw ErrorArgumentos{"la carpeta de instalación de " + ArchivoConfiguracion() +
                                  " no existe: " + Utf8DeWindows1252(configurada)};
        return configurada;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path carpeta = fs::absolute(fs::path(o.instalacion), error);
    if (error || !fs::is_directory(carpeta, error))
        throw ErrorArgumentos{"la carpeta de --instalacion no existe: " + o.instalacion};
    std::string ruta = carpeta.lexically_normal().string();
    if (ruta.size() > 1 && ruta.back() == '/') ruta.pop_back();
    return Windows1252DeUtf8(ruta);
}

}  // namespace

std::string UsoDesatendido(const std::string& programa, const std::string& descripcion,
                           const std::string& opcionesPropias, const std::string& verbo,
                           const std::string& sinRango, const std::string& archivos) {
    const std::string sangria(programa.size() + 20, ' ');
    return "Uso: " + programa + " --desatendido [opciones] SERVIDOR_ORIGEN COMPAÑÍA_ORIGEN\n" +
           sangria + "SERVIDOR_DESTINO COMPAÑÍA_DESTINO\n     " + programa +
           " --desatendido --help\n\n" + descripcion +
           "\n\nOpciones (por omisión, las de la ventana):\n" + opcionesPropias +
           "  --desde AAAA-MM-DD    primera fecha de registro del rango, junto con --hasta\n"
           "  --hasta AAAA-MM-DD    última fecha de registro del rango, junto con --desde\n"
           "                        (sin rango: " +
           sinRango + ")\n  --prefijo P           " + verbo +
           " sólo los documentos de ese prefijo\n  --tipos 31,33,...     " + verbo +
           " sólo esos tipos de documento (por omisión, todos)\n"
           "  --al-fallar continuar|detener\n"
           "                        respuesta a \"Continuar?\" cuando un documento falla\n"
           "                        (por omisión, detener)\n"
           "  --instalacion CARPETA la carpeta de instalación (" +
           archivos +
           ")\n"
           "                        (por omisión, la clave Directorio de la configuración)\n"
           "  --espera-bloqueo SEGUNDOS\n"
           "                        cuánto espera una escritura a que otro usuario suelte\n"
           "                        el registro (por omisión, 30)\n"
           "  --help                muestra este texto\n\n"
           "Credenciales: ISC_USER e ISC_PASSWORD para el origen; ISC_USER_DESTINO e\n"
           "ISC_PASSWORD_DESTINO para el destino (sin ellas, las del origen).\n"
           "Configuración: " +
           ArchivoConfiguracion() +
           ", clave Directorio.\n\n"
           "Estado de salida: 0 sin documentos fallidos, 1 con documentos fallidos,\n"
           "2 si se detuvo por un error o los argumentos son incorrectos, 130 si lo detuvo\n"
           "SIGINT, 143 si lo detuvo SIGTERM.\n";
}

std::map<std::string, std::string> EntornoDelProceso() {
    std::map<std::string, std::string> entorno;
    for (char** e = environ; *e; ++e) {
        const std::string variable(*e);
        const size_t igual = variable.find('=');
        if (igual != std::string::npos)
            entorno.emplace(variable.substr(0, igual), variable.substr(igual + 1));
    }
    return entorno;
}

int EjecutarDesatendido(const ProgramaDesatendido& programa,
                        const std::vector<std::string>& argumentos,
                        const std::map<std::string, std::string>& entorno, std::ostream& salida,
                        std::ostream& salidaErrores, bool terminal, SolicitudDetencion* detencion) {
    // From here on a signal ends the program, until the run takes the request over.
    FinAntesDeLaCorrida fin(detencion, programa.nombre);
    auto errorArgumentos = [&](const ErrorArgumentos& e) {
        salidaErrores << programa.nombre << ": " << e.mensaje << "\n"
                      << "Vea las opciones con: " << programa.nombre << " --desatendido --help"
                      << std::endl;
        return kErrorDetenido;
    };
    Opciones o;
    std::string instalacion;
    try {
        o = LeerOpciones(programa, argumentos);
        if (o.ayuda) {
            salida << programa.uso << std::flush;
            return kSinFallas;
        }
        auto usuario = entorno.find("ISC_USER");
        if (usuario == entorno.end() || usuario->second.empty())
            throw ErrorArgumentos{"falta la variable de entorno ISC_USER"};
        if (!entorno.count("ISC_PASSWORD"))
            throw ErrorArgumentos{"falta la variable de entorno ISC_PASSWORD"};
        instalacion = CarpetaInstalacion(o);
    } catch (const ErrorArgumentos& e) {
        return errorArgumentos(e);
    } catch (const RangoInvertido&) {
        salidaErrores << Utf8DeWindows1252(kRangoInvertido) << std::endl;
        return kErrorDetenido;
    }
    // Without an installation folder the logs would land wherever the process stands.
    if (instalacion.empty()) {
        salidaErrores << programa.nombre
                      << ": no se conoce la carpeta de instalación: indíquela con "
                         "--instalacion CARPETA o con la clave Directorio de "
                      << ArchivoConfiguracion() << std::endl;
        return kErrorDetenido;
    }

    const Credenciales credenciales = LeerCredenciales(entorno);
    Consola consola(salidaErrores, terminal, o.continuarAlFallar, programa.nombre);
    consola.nota(programa.nombre + ": " + credenciales.nota);
    try {
        return Correr(programa, o, credenciales, instalacion, consola, fin, detencion);
    } catch (const ErrorArgumentos& e) {
        consola.ocultar();
        return errorArgumentos(e);
    } catch (const CompaniaDesconocida& e) {
        consola.ocultar();
        consola.nota(e.mensaje);
    } catch (const ErrorConexion& e) {
        consola.ocultar();
        consola.nota(programa.nombre + ": no se pudo conectar con el " + Lado(e.sesion()) + " (" +
                     Utf8DeWindows1252(e.ubicacion()) + ")");
        ENoManejada(e, consola);
    } catch (const std::exception& e) {
        consola.ocultar();
        ENoManejada(e, consola);
    } catch (...) {
        consola.ocultar();
        consola.mensaje(TextoErrorNoManejado("unknown error"));
    }
    return kErrorDetenido;
}

}  // namespace velmora
