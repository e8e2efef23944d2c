#include "foundation/inicio_sesion.h"

#include "foundation/clave.h"
#include "foundation/sql.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

void Conectar(SesionOrigen& sesion, const std::string& ubicacion, const std::string& usuario,
              const std::string& clave) {
    sesion.desconectar();
    sesion.ubicacion(ubicacion);
    sesion.usuario(usuario);
    sesion.clave(clave);
    try {
        sesion.conectar();
    } catch (...) {
        sesion.clave({});
        throw;
    }
    sesion.clave({});
}

}  // namespace

std::string MayusculasUsuario(const std::string& usuario) {
    std::string mayusculas = usuario;
    for (char& c : mayusculas)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return mayusculas;
}

void ConectarGeneral(SesionOrigen& sesion, const std::string& servidor, const std::string& usuario,
                     const std::string& clave) {
    Conectar(sesion, UbicacionGeneral(servidor), usuario, clave);
}

std::string SentenciaComprobarUsuario(const std::string& usuario) {
    return "select usua_nombre from usuario where usua_cod = " + Citar(MayusculasUsuario(usuario));
}

void ComprobarUsuario(SesionOrigen& sesion, const std::string& usuario) {
    Transaccion transaccion(sesion, "TrUsuario");
    Consulta cusuario(transaccion, "Cusuario");
    cusuario.texto(SentenciaComprobarUsuario(usuario));
    cusuario.abrir();
    cusuario.cerrar();
}

std::vector<TipoDocumento> CargarTiposDocumento(SesionOrigen& dbsop, const std::string& servidor,
                                                const std::string& usuario,
                                                const std::string& claveCifrada) {
    Conectar(dbsop, UbicacionSoporte(servidor), usuario, DesencriptarClave(claveCifrada));
    Transaccion transaccion(dbsop, "TrSop");
    Consulta qtipodoc(transaccion, "QTipodoc");
    qtipodoc.texto("SELECT TIDO_COD, TIDO_NOMLARGO FROM TIPO_DOCUMENTO ORDER BY TIDO_COD");
    qtipodoc.abrir();
    std::vector<TipoDocumento> tipos;
    for (qtipodoc.primero(); !qtipodoc.fin(); qtipodoc.siguiente()) {
        tipos.push_back({int(qtipodoc.valor(0).comoEntero()), qtipodoc.valor(1).comoTexto(), true});
    }
    qtipodoc.cerrar();
    return tipos;
}

std::string NombreCompania(SesionOrigen& general, const std::string& codigo) {
    Transaccion transaccion(general, "TrCompania");
    Consulta tcompania(transaccion, "TCompania");
    tcompania.texto("select COM_NOMBRE from COMPANIA where COMP_COD = " + Citar(codigo));
    tcompania.abrir();
    std::string nombre = tcompania.vacia() ? std::string() : tcompania.valor(0).comoTexto();
    tcompania.cerrar();
    return nombre;
}

}  // namespace velmora
