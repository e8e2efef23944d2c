#include "foundation/inicio_sesion.h"

#include "foundation/clave.h"
#include "foundation/sql.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

void Conectar(Conexion& sesion, const std::string& ubicacion, const std::string& usuario,
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

void ConectarLado(SesionOrigen& general, const std::string& servidor, const std::string& usuario,
                  const std::string& clave, std::string& usuarioGuardado,
                  std::string& claveGuardada, std::string& servidorGuardado) {
    ConectarGeneral(general, servidor, usuario, clave);
    usuarioGuardado = MayusculasUsuario(usuario);
    claveGuardada = EncriptarClave(clave);
    servidorGuardado = servidor;
    ComprobarUsuario(general, usuario);
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

void ConectarOrigen(SesionOrigen& dbGeneral, const std::string& servidor,
                    const std::string& usuario, const std::string& clave, DatosAcceso& datos) {
    ConectarLado(dbGeneral, servidor, usuario, clave, datos.usuarioOrigen, datos.claveOrigen,
                 datos.servidorOrigen);
}

void ConectarDestino(SesionOrigen& dbGeneraldes, const std::string& servidor,
                     const std::string& usuario, const std::string& clave, DatosAcceso& datos) {
    ConectarLado(dbGeneraldes, servidor, usuario, clave, datos.usuarioDestino, datos.claveDestino,
                 datos.servidorDestino);
}

void ConectarConClave(Conexion& sesion, const std::string& ubicacion, const std::string& usuario,
                      const std::string& claveCifrada) {
    Conectar(sesion, ubicacion, usuario, DesencriptarClave(claveCifrada));
}

void ConectarSoporte(SesionOrigen& dbsop, const std::string& servidor, const std::string& usuario,
                     const std::string& claveCifrada) {
    ConectarConClave(dbsop, UbicacionSoporte(servidor), usuario, claveCifrada);
}

std::vector<TipoDocumento> LeerTiposDocumento(SesionOrigen& dbsop,
                                              const std::string& textoQTipodoc) {
    Transaccion transaccion(dbsop, "TrSop");
    Consulta qtipodoc(transaccion, "QTipodoc");
    qtipodoc.texto(textoQTipodoc);
    qtipodoc.abrir();
    std::vector<TipoDocumento> tipos;
    for (qtipodoc.primero(); !qtipodoc.fin(); qtipodoc.siguiente()) {
        tipos.push_back({int(qtipodoc.valor(0).comoEntero()), qtipodoc.valor(1).comoTexto(), true});
    }
    qtipodoc.cerrar();
    return tipos;
}

std::vector<TipoDocumento> CargarTiposDocumento(SesionOrigen& dbsop, const std::string& servidor,
                                                const std::string& usuario,
                                                const std::string& claveCifrada) {
    ConectarSoporte(dbsop, servidor, usuario, claveCifrada);
    return LeerTiposDocumento(dbsop, kQTipodocEnvio);
}

std::vector<Compania> ListarCompanias(SesionOrigen& general) {
    Transaccion transaccion(general, "TrGeneral");
    Consulta tcompania(transaccion, "TCompania");
    tcompania.texto("select COMP_COD, COM_NOMBRE from COMPANIA order by COMP_COD");
    tcompania.abrir();
    std::vector<Compania> companias;
    for (tcompania.primero(); !tcompania.fin(); tcompania.siguiente()) {
        companias.push_back({tcompania.valor(0).comoTexto(), tcompania.valor(1).comoTexto()});
    }
    tcompania.cerrar();
    return companias;
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

std::optional<ArranqueArticulos> ModoArticulos(const std::vector<std::string>& argumentos) {
    if (argumentos.size() < 3 || argumentos[2].empty() || argumentos[0] != "ARTICULOS")
        return std::nullopt;
    return ArranqueArticulos{argumentos[1], argumentos[2]};
}

}  // namespace velmora
