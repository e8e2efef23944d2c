#include "foundation/errores.h"

#include <array>
#include <string_view>
#include <utility>

#include "foundation/error.h"

namespace velmora {

namespace {

struct Traduccion {
    std::string_view frase;  // found in the message, case-sensitive
    std::string_view texto;  // shown instead
    bool conCita;            // followed by the quoted part
    bool citaTrasFrase;      // the quoted part is looked for after the phrase
};

// Tried in order; the first phrase found decides.
constexpr std::array<Traduccion, 4> kTraducciones = {{
    {"Your user name and password are not defined",
     "El nombre de Usuario o la clave son incorrectas.", false, false},
    {"I/O error for file", "No se encontr\xF3 el archivo o la ruta ", true, false},
    // Firebird 3 words a missing file so; its first quoted text is the operation, and
    // the file name follows the phrase.
    {"I/O error during \"open\" operation for file", "No se encontr\xF3 el archivo o la ruta ",
     true, true},
    {"Unable to complete network request", "No se encontr\xF3 el equipo servidor con nombre ", true,
     false},
}};

constexpr std::string_view kPrefijoOtroError = "Se presento el siguiente error: ";

// The text between the first double quote from `desde` and the next one; empty without
// two quotes.
std::string_view Cita(std::string_view mensaje, size_t desde) {
    const size_t apertura = mensaje.find('"', desde);
    if (apertura == std::string_view::npos) return {};
    const size_t cierre = mensaje.find('"', apertura + 1);
    if (cierre == std::string_view::npos) return {};
    return mensaje.substr(apertura + 1, cierre - apertura - 1);
}

// The machine and the port that a server entry names: "host:folder", "host/port:folder",
// "inet://host:port/folder"; the port is the server's usual one when none is given.
std::pair<std::string, std::string> EquipoYPuerto(const std::string& ubicacion) {
    constexpr std::string_view kPuertoUsual = "3050";
    std::string_view u = ubicacion;
    for (std::string_view protocolo : {"inet://", "inet4://", "inet6://"}) {
        if (!u.starts_with(protocolo)) continue;
        u.remove_prefix(protocolo.size());
        std::string_view equipo = u.substr(0, u.find('/'));
        const size_t dosPuntos = equipo.rfind(':');
        if (dosPuntos != std::string_view::npos && equipo.find(']', dosPuntos) == equipo.npos &&
            equipo.front() != '[')
            return {std::string(equipo.substr(0, dosPuntos)),
                    std::string(equipo.substr(dosPuntos + 1))};
        return {std::string(equipo), std::string(kPuertoUsual)};
    }
    const std::string_view equipo = u.substr(0, u.find(':'));
    const size_t barra = equipo.find('/');
    if (barra == std::string_view::npos) return {std::string(equipo), std::string(kPuertoUsual)};
    return {std::string(equipo.substr(0, barra)), std::string(equipo.substr(barra + 1))};
}

}  // namespace

std::string TextoConexionRechazada(const std::string& ubicacion) {
    const auto [equipo, puerto] = EquipoYPuerto(ubicacion);
    return "El equipo servidor " + equipo + " no acepta conexiones en el puerto " + puerto +
           ": el servidor de bases de datos no est\xE1 en marcha o escucha en otro puerto.";
}

std::string TextoErrorNoManejado(const std::string& mensaje) {
    for (const Traduccion& regla : kTraducciones) {
        const size_t posicion = mensaje.find(regla.frase);
        if (posicion == std::string::npos) continue;
        std::string texto(regla.texto);
        if (regla.conCita) {
            texto += Cita(mensaje, regla.citaTrasFrase ? posicion + regla.frase.size() : 0);
        }
        return texto;
    }
    return std::string(kPrefijoOtroError) + mensaje;
}

void ENoManejada(const std::exception& error, Dialogos& dialogos) {
    if (dynamic_cast<const AbortoSilencioso*>(&error)) return;
    // The client words a refused connection like an unknown machine; a person needs to
    // know that the machine is there and the server is not.
    if (const auto* conexion = dynamic_cast<const ErrorConexion*>(&error);
        conexion && conexion->esConexionRechazada()) {
        dialogos.mensaje(TextoConexionRechazada(conexion->ubicacion()));
        return;
    }
    dialogos.mensaje(TextoErrorNoManejado(error.what()));
}

RespuestaError ManejarError(ProveedorAplicacion* proveedor, ConjuntoEditable& conjunto,
                            const ErrorBaseDatos& error, Dialogos& dialogos) {
    const std::string mensaje = error.mensaje();
    dialogos.mensaje(mensaje);
    std::string segundo;
    if (proveedor) {
        if (!mensaje.empty()) segundo = mensaje.substr(0, mensaje.size() - 1);
    } else if (mensaje.compare(0, 3, "Fie") == 0) {
        segundo = "Los campos ";
        for (int i = 0; i < conjunto.cantidadCampos(); ++i)
            if (conjunto.campo(i).requerido() && conjunto.valor(i).esNulo())
                segundo += conjunto.campo(i).nombre + ", ";
        segundo += " son obligatorios.";
    } else if (mensaje.compare(0, 3, "Key") == 0) {
        // Our result sets keep no index of their own, so no field belongs to one.
        segundo = "Ya existe un registro con el mismo ";
    }
    dialogos.pitido();
    dialogos.error(segundo);
    return RespuestaError::Abortar;
}

RespuestaError ManejarClientError(ConjuntoEditable& conjunto, const ErrorBaseDatos& error,
                                  Dialogos& dialogos) {
    ManejarError(nullptr, conjunto, error, dialogos);
    return RespuestaError::Abortar;
}

namespace {

ProveedorAplicacion::Gancho GanchoActualizacion(Dialogos& dialogos) {
    return [&dialogos](ProveedorAplicacion& p, ConjuntoEditable& conjunto,
                       const ErrorBaseDatos& error, TipoActualizacion) {
        return ManejarError(&p, conjunto, error, dialogos);
    };
}

ConjuntoEditable::GanchoFila GanchoFila(Dialogos& dialogos) {
    return [&dialogos](ConjuntoEditable& cj, const ErrorBaseDatos& error) {
        return ManejarClientError(cj, error, dialogos);
    };
}

}  // namespace

void ConfigurarProviders(Componente& propietario, Dialogos& dialogos) {
    for (Componente* c : propietario.componentes()) {
        if (!c->componentes().empty()) {
            ConfigurarProviders(*c, dialogos);
        } else if (auto* proveedor = dynamic_cast<ProveedorAplicacion*>(c)) {
            proveedor->alFallarActualizacion = GanchoActualizacion(dialogos);
        } else if (auto* conjunto = dynamic_cast<ConjuntoEditable*>(c)) {
            conjunto->alFallarPublicar = GanchoFila(dialogos);
            conjunto->alFallarEditar = GanchoFila(dialogos);
            conjunto->alFallarBorrar = GanchoFila(dialogos);
        }
    }
}

GanchosPrestados::GanchosPrestados(ConjuntoEditable& conjunto, Dialogos& dialogos)
    : conjunto_(conjunto),
      publicar_(conjunto.alFallarPublicar),
      editar_(conjunto.alFallarEditar),
      borrar_(conjunto.alFallarBorrar) {
    for (auto* gancho : {&conjunto.alFallarPublicar, &conjunto.alFallarEditar,
                         &conjunto.alFallarBorrar})
        if (*gancho) *gancho = GanchoFila(dialogos);
    if (ProveedorAplicacion* p = conjunto.proveedor()) {
        actualizacion_ = p->alFallarActualizacion;
        if (actualizacion_) p->alFallarActualizacion = GanchoActualizacion(dialogos);
    }
}

GanchosPrestados::~GanchosPrestados() {
    conjunto_.alFallarPublicar = std::move(publicar_);
    conjunto_.alFallarEditar = std::move(editar_);
    conjunto_.alFallarBorrar = std::move(borrar_);
    if (ProveedorAplicacion* p = conjunto_.proveedor())
        p->alFallarActualizacion = std::move(actualizacion_);
}

}  // namespace velmora
