#include "ctrlacceso/desatendido.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include <unistd.h>

#include "foundation/errores.h"
#include "foundation/inicio_sesion.h"
#include "foundation/sesion.h"
#include "foundation/texto.h"

namespace velmora {

namespace {

// Our own console texts are UTF-8, like the arguments they are about; texts of the core
// (Windows-1252) are converted as they reach the console.
struct ErrorArgumentos {
    std::string mensaje;
};

struct Opciones {
    bool ayuda = false;
    std::optional<bool> reemplazar;
    std::string desde, hasta, prefijo;
    std::optional<std::vector<int>> tipos;
    bool continuarAlFallar = false;
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
    if (o.posicionales.size() != 4)
        throw ErrorArgumentos{
            "se esperan 4 argumentos (servidor origen, compañía origen, servidor destino, "
            "compañía destino) y se recibieron " +
            std::to_string(o.posicionales.size())};
    return o;
}

// The run's dialogs, one line each on standard error, and, on a terminal, its progress: the
// entries visited of the total, redrawn in place and gone at the end. The question is
// written too, and answered as the command line says.
class Consola : public Dialogos, public Progreso {
  public:
    Consola(std::ostream& salida, bool terminal, bool continuar, std::string programa)
        : salida_(salida),
          terminal_(terminal),
          continuar_(continuar),
          programa_(std::move(programa)) {}

    void mensaje(const std::string& texto) override { linea(texto); }
    void error(const std::string& texto) override { linea(texto); }
    bool confirmar(const std::string& texto) override {
        linea(texto);
        return continuar_;
    }
    void pitido() override {}

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
        salida_ << "\r" << programa_ << ": " << visitadas_ << " de " << total_ << " entradas"
                << "\033[K" << std::flush;
        dibujado_ = true;
    }
    void borrar() {
        if (!dibujado_) return;
        salida_ << "\r\033[K" << std::flush;
        dibujado_ = false;
    }

    std::ostream& salida_;
    bool terminal_, continuar_;
    std::string programa_;
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
int Correr(const ProgramaDesatendido& programa, const Opciones& o, const Credenciales& cr,
           Consola& consola) {
    CorridaDesatendida c;
    DatosAcceso& a = c.acceso;
    SesionOrigen dbGeneral("DbGeneral"), dbGeneraldes("DbGeneraldes"), dbSop("DBsop");

    ConectarOrigen(dbGeneral, Windows1252DeUtf8(o.posicionales[0]), cr.usuarioOrigen,
                   cr.claveOrigen, a);
    ConectarDestino(dbGeneraldes, Windows1252DeUtf8(o.posicionales[2]), cr.usuarioDestino,
                    cr.claveDestino, a);

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

    c.companiaOrigen = Windows1252DeUtf8(o.posicionales[1]);
    c.companiaDestino = Windows1252DeUtf8(o.posicionales[3]);
    c.nombreCompaniaOrigen = NombreCompania(dbGeneral, c.companiaOrigen);
    c.nombreCompaniaDestino = NombreCompania(dbGeneraldes, c.companiaDestino);
    c.reemplazar = o.reemplazar.value_or(programa.reemplazarPorOmision);
    c.desde = o.desde;
    c.hasta = o.hasta;
    c.prefijo = Windows1252DeUtf8(o.prefijo);
    c.opcionesPropias = o.propias;

    const ResultadoDesatendido r = programa.correr(c, consola, consola);
    if (!r.iniciado) return kErrorDetenido;
    return r.fallidas > 0 ? kConFallas : kSinFallas;
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
           "  --help                muestra este texto\n\n"
           "Credenciales: ISC_USER e ISC_PASSWORD para el origen; ISC_USER_DESTINO e\n"
           "ISC_PASSWORD_DESTINO para el destino (sin ellas, las del origen).\n"
           "El directorio de instalación (" +
           archivos +
           ") se lee de la configuración.\n\n"
           "Estado de salida: 0 sin documentos fallidos, 1 con documentos fallidos,\n"
           "2 si se detuvo por un error o los argumentos son incorrectos.\n";
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
                        std::ostream& salidaErrores, bool terminal) {
    auto errorArgumentos = [&](const ErrorArgumentos& e) {
        salidaErrores << programa.nombre << ": " << e.mensaje << "\n"
                      << "Vea las opciones con: " << programa.nombre << " --desatendido --help"
                      << std::endl;
        return kErrorDetenido;
    };
    Opciones o;
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
    } catch (const ErrorArgumentos& e) {
        return errorArgumentos(e);
    }

    const Credenciales credenciales = LeerCredenciales(entorno);
    Consola consola(salidaErrores, terminal, o.continuarAlFallar, programa.nombre);
    consola.nota(programa.nombre + ": " + credenciales.nota);
    try {
        return Correr(programa, o, credenciales, consola);
    } catch (const ErrorArgumentos& e) {
        consola.ocultar();
        return errorArgumentos(e);
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
