#include "bench/escenarios.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "bench/piso_envio.h"
#include "bench/piso_recepcion.h"
#include "envio/corrida_envio.h"
#include "foundation/clave.h"
#include "foundation/errores.h"
#include "recepcion/corrida_recepcion.h"
#include "tests/soporte/dialogos_grabados.h"

namespace velmora::banco {

namespace fs = std::filesystem;

const char* NombreAccesoCorto(Acceso acceso) {
    return acceso == Acceso::Servidor ? "servidor" : "embebido";
}

const char* NombreModo(bool enLinea) {
    return enLinea ? "en-linea" : "fuera-de-linea";
}

namespace {

// Notes name no folder of the machine: the installation's root becomes a word.
std::string SinRaiz(std::string texto, const std::string& raiz) {
    for (size_t p; (p = texto.find(raiz)) != std::string::npos;)
        texto.replace(p, raiz.size(), "<installation>");
    return texto;
}

// Runs `medir` in a child; its exceptions become notes without the installation's folder.
template <class F>
Medida EnHijo(const prueba::Instalacion& inst, F&& medir) {
    return Aparte<Medida>([&] {
        try {
            return medir();
        } catch (const std::exception& error) {
            Medida m;
            Anotar(m, "aborted: " + SinRaiz(error.what(), inst.raiz()));
            return m;
        }
    });
}

void Llenar(const prueba::Instalacion& inst, Acceso acceso, const Lote& lote) {
    const Medida m = EnHijo(inst, [&] {
        prueba::EjecutarSql(inst.compania(acceso, "001"), {BloqueOrigen(lote)});
        Medida r;
        r.hecha = true;
        return r;
    });
    if (!m.hecha) throw std::runtime_error(std::string("filling the origin: ") + m.nota);
}

DatosAcceso DatosDe(const prueba::Instalacion& inst, prueba::Acceso acceso) {
    const std::string servidor = inst.servidor(acceso);
    return {prueba::kUsuario, EncriptarClave(prueba::kClave), servidor,
            prueba::kUsuario, EncriptarClave(prueba::kClave), servidor};
}

std::vector<TipoDocumento> Tipos(const prueba::Instalacion& inst, prueba::Acceso acceso,
                                 const Lote& lote) {
    std::vector<TipoDocumento> tipos;
    for (const auto& fila :
         prueba::Consultar(inst.ubicacion(acceso, "sop/velmora.fdb"),
                           "SELECT TIDO_COD, TIDO_NOMLARGO FROM TIPO_DOCUMENTO ORDER BY TIDO_COD"))
        tipos.push_back({int(fila[0].comoEntero()), fila[1].comoTexto(), true});
    if (lote.carga == Carga::SinManejador)
        tipos.push_back({kTipoSinManejador, "SIN MANEJADOR", true});
    return tipos;
}

// The first error the run showed, for the notes.
void AnotarErrores(Medida& m, const DialogosGrabados& d, const std::string& raiz) {
    long errores = 0;
    std::string primero;
    for (const Llamada& l : d.llamadas())
        if (l.tipo == Llamada::Tipo::kError && errores++ == 0) primero = l.texto;
    if (errores)
        Anotar(m,
               std::to_string(errores) + " error(s) shown, the first: " + SinRaiz(primero, raiz));
}

// The clock of a measurement: wall time, the process's processor time and, through the
// server, the segments sent to it.
class Cronometro {
  public:
    explicit Cronometro(Acceso acceso) : contar_(acceso == Acceso::Servidor) {}

    void iniciar() {
        segmentos_.reset();
        inicio_ = Reloj::now();
        cpu_ = CpuSegundos();
        if (contar_) segmentos_.emplace();
    }
    // Stops it into the record, with the peak memory so far.
    void parar(Medida& m) {
        m.segundos = std::chrono::duration<double>(Reloj::now() - inicio_).count();
        m.cpuSegundos = CpuSegundos() - cpu_;
        m.rssKiB = RssKiB();
        if (segmentos_) m.segmentos = segmentos_->parar();
    }

  private:
    bool contar_;
    Reloj::time_point inicio_ = Reloj::now();
    double cpu_ = 0;
    std::optional<ContadorSegmentos> segmentos_;
};

Confirmacion ConfirmacionDe(Lado lado) {
    switch (lado) {
        case Lado::PisoPorGrupo:
            return Confirmacion::PorGrupo;
        case Lado::PisoPorAplicacion:
            return Confirmacion::PorAplicacion;
        default:
            return Confirmacion::PorEntrada;
    }
}

void CopiarAbierto(const std::string& desde, const std::string& hacia) {
    fs::create_directories(fs::path(hacia).parent_path());
    fs::copy_file(desde, hacia, fs::copy_options::overwrite_existing);
    // The server's user reads and writes it as the installation's own files.
    chmod(hacia.c_str(), 0666);
}

// Compares the send's target and the origin's marks with what the workload asks for.
void VerificarEnvio(const prueba::Instalacion& inst, const ConfiguracionEnvio& c,
                    const std::string& destino, Medida& m) {
    const Conteo cuenta = Contar(destino);
    const Lote& l = c.lote;
    m.filas = cuenta.filas;
    m.filasEsperadas = l.filasDocumento();
    const std::string origen = inst.compania(c.acceso, "001");
    const long marcadas =
        prueba::Consultar(origen, "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'")
            .at(0)[0]
            .comoEntero();
    const long auditoria = c.enLinea ? 0 : l.entradas;
    m.verificada = m.filas == m.filasEsperadas && marcadas == l.entradas &&
                   cuenta.referencias == l.referencias() && cuenta.auditoria == auditoria;
    if (m.verificada) return;
    Anotar(m, "NOT VERIFIED: the target holds " + std::to_string(m.filas) + " of " +
                  std::to_string(m.filasEsperadas) + " document rows and " +
                  std::to_string(cuenta.auditoria) + " of " + std::to_string(auditoria) +
                  " journal rows, " + std::to_string(cuenta.referencias) + " of " +
                  std::to_string(l.referencias()) + " receipt references resolved; " +
                  std::to_string(marcadas) + " of " + std::to_string(l.entradas) +
                  " entries marked sent");
    std::string pendientes;
    for (const auto& f : prueba::Consultar(origen,
                                           "SELECT TIDO_COD, COUNT(*) FROM AUDITORIA WHERE "
                                           "AUDI_ENVIO = 'N' GROUP BY TIDO_COD ORDER BY 1"))
        pendientes += (pendientes.empty() ? "" : ", ") + f[0].comoTexto() + ": " + f[1].comoTexto();
    if (!pendientes.empty()) Anotar(m, "unsent entries by type {" + pendientes + "}");
}

void VerificarRecepcion(const Lote& l, const std::string& destino, Medida& m) {
    const Conteo cuenta = Contar(destino);
    m.filas = cuenta.filas;
    m.filasEsperadas = l.filasDocumento();
    m.verificada = m.filas == m.filasEsperadas && cuenta.auditoria == 0 &&
                   cuenta.referencias == l.referencias();
    if (!m.verificada)
        Anotar(m, "NOT VERIFIED: the destination holds " + std::to_string(m.filas) + " of " +
                      std::to_string(m.filasEsperadas) + " document rows, " +
                      std::to_string(cuenta.auditoria) + " journal rows, " +
                      std::to_string(cuenta.referencias) + " of " +
                      std::to_string(l.referencias()) + " receipt references resolved");
}

// The send run with the window's defaults; not timed here.
ResultadoEnvio Enviar(const prueba::Instalacion& inst, prueba::Acceso acceso, bool enLinea,
                      const std::vector<TipoDocumento>& tipos, DialogosGrabados& dialogos,
                      Cronometro* cronometro = nullptr) {
    Componente ventana(nullptr, "Tfprincipal");
    ComponentesEnvio componentes(&ventana);
    ConfigurarProviders(ventana, dialogos);
    ParametrosEnvio p;
    p.textoCompaniaOrigen = "Origen";
    p.companiaOrigen = "001";
    p.textoCompaniaDestino = "Destino";
    p.companiaDestino = "002";
    p.acceso = DatosDe(inst, acceso);
    p.enLinea = enLinea;
    p.tipos = tipos;
    SinProgreso progreso;
    if (cronometro) cronometro->iniciar();
    ResultadoEnvio r;
    try {
        r = SpeedButton1Click(p, componentes, dialogos, progreso);
    } catch (...) {
        componentes.liberar();
        throw;
    }
    // The end of the program releases the sessions, which commits the journal marks.
    componentes.liberar();
    return r;
}

}  // namespace

Medida MedirEnvio(const ConfiguracionEnvio& c) {
    prueba::Instalacion inst;
    inst.registrar({inst.servidor(c.acceso)});
    Llenar(inst, c.acceso, c.lote);
    return EnHijo(inst, [&] {
        const std::string destino = c.enLinea ? inst.compania(c.acceso, "002")
                                              : inst.ubicacion(c.acceso, "datos/002/envio.fdb");
        Medida m;
        Cronometro reloj(c.acceso);
        if (c.lado == Lado::Corrida) {
            const std::vector<TipoDocumento> tipos = Tipos(inst, c.acceso, c.lote);
            DialogosGrabados dialogos;
            const ResultadoEnvio r = Enviar(inst, c.acceso, c.enLinea, tipos, dialogos, &reloj);
            reloj.parar(m);
            m.entradas = r.visitadas;
            m.enviadas = r.enviadas;
            m.fallidas = r.fallidas;
            if (r.detenido) Anotar(m, "run stopped at a failure");
            AnotarErrores(m, dialogos, inst.raiz());
        } else {
            reloj.iniciar();
            // The run starts from a fresh copy of the template: so does the floor.
            if (!c.enLinea)
                fs::copy_file(inst.ruta("sop/envio.fdb"), inst.ruta("datos/002/envio.fdb"),
                              fs::copy_options::overwrite_existing);
            m = PisoEnvio(inst.compania(c.acceso, "001"), destino, c.enLinea,
                          ConfirmacionDe(c.lado), c.grupo, inst.ruta("ENVIO.TXT"));
            reloj.parar(m);
        }
        VerificarEnvio(inst, c, destino, m);
        m.hecha = true;
        return m;
    });
}

Medida PrepararArchivo(const Lote& lote, const std::string& ruta) {
    const Acceso acceso = Acceso::Embebido;
    prueba::Instalacion inst;
    inst.registrar({inst.servidor(acceso)});
    Llenar(inst, acceso, lote);
    Medida m = EnHijo(inst, [&] {
        DialogosGrabados dialogos;
        const ResultadoEnvio r = Enviar(inst, acceso, false, Tipos(inst, acceso, lote), dialogos);
        Medida p;
        p.entradas = r.visitadas;
        p.enviadas = r.enviadas;
        p.fallidas = r.fallidas;
        AnotarErrores(p, dialogos, inst.raiz());
        const Conteo cuenta = Contar(inst.ubicacion(acceso, "datos/002/envio.fdb"));
        p.filas = cuenta.filas;
        p.filasEsperadas = lote.filasDocumento();
        p.verificada =
            p.filas == p.filasEsperadas && cuenta.auditoria == lote.entradas && !p.fallidas;
        if (!p.verificada)
            Anotar(p, "NOT VERIFIED: the transfer file holds " + std::to_string(p.filas) + " of " +
                          std::to_string(p.filasEsperadas) + " document rows and " +
                          std::to_string(cuenta.auditoria) + " journal rows");
        p.hecha = true;
        return p;
    });
    if (m.hecha) CopiarAbierto(inst.ruta("datos/002/envio.fdb"), ruta);
    return m;
}

Medida MedirRecepcion(const ConfiguracionRecepcion& c) {
    prueba::Instalacion inst;
    inst.registrar({inst.servidor(c.acceso)});
    CopiarAbierto(c.archivo, inst.ruta("datos/001/envio.fdb"));
    return EnHijo(inst, [&] {
        const std::string destino = inst.compania(c.acceso, "002");
        Medida m;
        Cronometro reloj(c.acceso);
        if (c.lado == Lado::Corrida) {
            Componente ventana(nullptr, "Tfprincipal");
            ComponentesRecepcion componentes(&ventana);
            DialogosGrabados dialogos;
            ConfigurarProviders(ventana, dialogos);
            ParametrosRecepcion p;
            p.companiaOrigen = "001";
            p.companiaDestino = "002";
            p.acceso = DatosDe(inst, c.acceso);
            p.tipos = Tipos(inst, c.acceso, c.lote);
            SinProgreso progreso;
            reloj.iniciar();
            ResultadoRecepcion r;
            try {
                r = SpeedButton1Click(p, componentes, dialogos, progreso);
            } catch (...) {
                componentes.liberar();
                throw;
            }
            componentes.liberar();
            reloj.parar(m);
            m.entradas = r.visitadas;
            m.enviadas = r.visitadas - r.fallidas;
            m.fallidas = r.fallidas;
            if (r.detenido) Anotar(m, "run stopped at a failure");
            AnotarErrores(m, dialogos, inst.raiz());
        } else {
            reloj.iniciar();
            m = PisoRecepcion(inst.ubicacion(c.acceso, "datos/001/envio.fdb"), destino,
                              ConfirmacionDe(c.lado), c.grupo);
            reloj.parar(m);
        }
        VerificarRecepcion(c.lote, destino, m);
        m.hecha = true;
        return m;
    });
}

CarpetaTemporal::CarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "banco-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp failed");
    raiz_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code ignorado;
    fs::remove_all(raiz_, ignorado);
}

}  // namespace velmora::banco
