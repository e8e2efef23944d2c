#include "envio/corrida_desatendida.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "envio/corrida_envio.h"
#include "foundation/clave.h"
#include "foundation/errores.h"
#include "foundation/inicio_sesion.h"
#include "foundation/texto.h"

namespace velmora {

namespace {

// Our own console text, never seen by the core: kept in the console's UTF-8, like the
// arguments it is about.
const char kUso[] = R"(Uso: envio --desatendido [opciones] SERVIDOR_ORIGEN COMPAÑÍA_ORIGEN
                           SERVIDOR_DESTINO COMPAÑÍA_DESTINO
     envio --desatendido --help

Envía sin ventana el diario de la compañía origen a la compañía destino.

Opciones (por omisión, las de la ventana):
  --en-linea            escribe en la base de datos de la compañía destino
  --fuera-de-linea      prepara el archivo de envío (por omisión)
  --reemplazar          reemplaza los documentos existentes (por omisión)
  --omitir              omite los documentos existentes
  --desde AAAA-MM-DD    primera fecha de registro del rango, junto con --hasta
  --hasta AAAA-MM-DD    última fecha de registro del rango, junto con --desde
                        (sin rango: todo lo no enviado)
  --prefijo P           envía sólo los documentos de ese prefijo
  --tipos 31,33,...     envía sólo esos tipos de documento (por omisión, todos)
  --al-fallar continuar|detener
                        respuesta a "Continuar?" cuando un documento falla
                        (por omisión, detener)
  --help                muestra este texto

Credenciales: ISC_USER e ISC_PASSWORD para el origen; ISC_USER_DESTINO e
ISC_PASSWORD_DESTINO para el destino (sin ellas, las del origen).
El directorio de instalación (bitácoras y plantilla) se lee de la configuración.

Estado de salida: 0 sin documentos fallidos, 1 con documentos fallidos,
2 si se detuvo por un error o los argumentos son incorrectos.
)";

struct ErrorArgumentos {
    std::string mensaje;  // UTF-8
};

struct Opciones {
    bool ayuda = false;
    bool enLinea = false;
    bool reemplazar = true;
    std::string desde, hasta;
    std::string prefijo;
    std::optional<std::vector<int>> tipos;
    bool continuarAlFallar = false;
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

Opciones LeerOpciones(const std::vector<std::string>& argumentos) {
    Opciones o;
    // Each choice once: a repeated or contradicting option in a scheduled command is a
    // mistake, not something to settle silently.
    std::vector<std::string> dadas;
    auto anotar = [&](const std::string& grupo, const std::string& opcion) {
        if (std::find(dadas.begin(), dadas.end(), grupo) != dadas.end())
            throw ErrorArgumentos{"opción repetida o contradictoria: " + opcion};
        dadas.push_back(grupo);
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
        } else if (a == "--en-linea" || a == "--fuera-de-linea") {
            anotar("modo", a);
            o.enLinea = a == "--en-linea";
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

// The run's dialogs, one line each on standard error. The question is written too, and
// answered as the command line says.
class DialogosConsola : public Dialogos {
  public:
    DialogosConsola(std::ostream& salida, bool continuar)
        : salida_(salida), continuar_(continuar) {}

    void mensaje(const std::string& texto) override { linea(texto); }
    void error(const std::string& texto) override { linea(texto); }
    bool confirmar(const std::string& texto) override {
        linea(texto);
        return continuar_;
    }
    void pitido() override {}

  private:
    void linea(const std::string& texto) { salida_ << Utf8DeWindows1252(texto) << std::endl; }

    std::ostream& salida_;
    bool continuar_;
};

std::string Variable(const std::map<std::string, std::string>& entorno, const std::string& nombre,
                     const std::string& siFalta) {
    auto it = entorno.find(nombre);
    return it == entorno.end() ? siFalta : Windows1252DeUtf8(it->second);
}

// Sign-in, loading and the run, as the window does them after its login. Errors that leave
// it are the caller's.
int Enviar(const Opciones& o, const std::map<std::string, std::string>& entorno,
           DialogosConsola& consola) {
    const std::string usuarioOrigen = Variable(entorno, "ISC_USER", {});
    // An empty destination user counts as none: the client would fall back on its own.
    std::string usuarioDestino = Variable(entorno, "ISC_USER_DESTINO", {});
    if (usuarioDestino.empty()) usuarioDestino = usuarioOrigen;
    // Scrambled at once: the plain text is unscrambled again only into a connection.
    std::string claveOrigen = EncriptarClave(Variable(entorno, "ISC_PASSWORD", {}));
    std::string claveDestino = entorno.count("ISC_PASSWORD_DESTINO")
                                   ? EncriptarClave(Variable(entorno, "ISC_PASSWORD_DESTINO", {}))
                                   : claveOrigen;

    ParametrosEnvio p;
    DatosAcceso& a = p.acceso;
    a.servidorOrigen = Windows1252DeUtf8(o.posicionales[0]);
    a.servidorDestino = Windows1252DeUtf8(o.posicionales[2]);

    // The window's components, wired like the window so that apply errors reach the console.
    Componente ventana(nullptr, "Tfprincipal");
    ComponentesEnvio c(&ventana);
    ConfigurarProviders(ventana, consola);
    SesionOrigen dbGeneral("DbGeneral"), dbGeneraldes("DbGeneraldes"), dbSop("DBsop");

    ConectarGeneral(dbGeneral, a.servidorOrigen, usuarioOrigen, DesencriptarClave(claveOrigen));
    a.usuarioOrigen = MayusculasUsuario(usuarioOrigen);
    a.claveOrigen = claveOrigen;
    ComprobarUsuario(dbGeneral, usuarioOrigen);

    ConectarGeneral(dbGeneraldes, a.servidorDestino, usuarioDestino,
                    DesencriptarClave(claveDestino));
    a.usuarioDestino = MayusculasUsuario(usuarioDestino);
    a.claveDestino = claveDestino;
    ComprobarUsuario(dbGeneraldes, usuarioDestino);

    p.tipos = CargarTiposDocumento(dbSop, a.servidorOrigen, a.usuarioOrigen, a.claveOrigen);
    if (o.tipos) {
        for (int codigo : *o.tipos) {
            if (std::none_of(p.tipos.begin(), p.tipos.end(),
                             [&](const TipoDocumento& t) { return t.codigo == codigo; }))
                throw ErrorArgumentos{"tipo de documento desconocido en --tipos: " +
                                      std::to_string(codigo)};
        }
        for (TipoDocumento& t : p.tipos)
            t.marcado = std::find(o.tipos->begin(), o.tipos->end(), t.codigo) != o.tipos->end();
    }

    p.companiaOrigen = Windows1252DeUtf8(o.posicionales[1]);
    p.companiaDestino = Windows1252DeUtf8(o.posicionales[3]);
    p.textoCompaniaOrigen = NombreCompania(dbGeneral, p.companiaOrigen);
    p.textoCompaniaDestino = NombreCompania(dbGeneraldes, p.companiaDestino);
    p.enLinea = o.enLinea;
    p.reemplazar = o.reemplazar;
    p.todoLoNoEnviado = o.desde.empty();
    p.desde = o.desde;
    p.hasta = o.hasta;
    p.prefijo = Windows1252DeUtf8(o.prefijo);

    SinProgreso progreso;
    const ResultadoEnvio r = SpeedButton1Click(p, c, consola, progreso);
    // The end of the program: the journal marks are committed here, and a failing commit
    // must not pass for a good run.
    c.dbCia.desconectar();
    c.dbEnvio.desconectar();
    // Not started: no companies, or the template could not be copied.
    if (!r.iniciado) return kErrorDetenido;
    return r.fallidas > 0 ? kConFallas : kSinFallas;
}

void EscribirErrorArgumentos(const ErrorArgumentos& e, std::ostream& salidaErrores) {
    salidaErrores << "envio: " << e.mensaje << "\n\n" << UsoEnvioDesatendido();
    salidaErrores.flush();
}

}  // namespace

std::string UsoEnvioDesatendido() {
    return kUso;
}

int EnvioDesatendido(const std::vector<std::string>& argumentos,
                     const std::map<std::string, std::string>& entorno, std::ostream& salida,
                     std::ostream& salidaErrores) {
    Opciones o;
    try {
        o = LeerOpciones(argumentos);
        if (o.ayuda) {
            salida << UsoEnvioDesatendido() << std::flush;
            return kSinFallas;
        }
        auto usuario = entorno.find("ISC_USER");
        if (usuario == entorno.end() || usuario->second.empty())
            throw ErrorArgumentos{"falta la variable de entorno ISC_USER"};
        if (!entorno.count("ISC_PASSWORD"))
            throw ErrorArgumentos{"falta la variable de entorno ISC_PASSWORD"};
    } catch (const ErrorArgumentos& e) {
        EscribirErrorArgumentos(e, salidaErrores);
        return kErrorDetenido;
    }

    DialogosConsola consola(salidaErrores, o.continuarAlFallar);
    try {
        return Enviar(o, entorno, consola);
    } catch (const ErrorArgumentos& e) {
        EscribirErrorArgumentos(e, salidaErrores);
    } catch (const std::exception& e) {
        ENoManejada(e, consola);
    } catch (...) {
        consola.mensaje(TextoErrorNoManejado("unknown error"));
    }
    return kErrorDetenido;
}

}  // namespace velmora
