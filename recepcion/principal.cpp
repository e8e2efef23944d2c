#include "recepcion/principal.h"

#include <QCheckBox>
#include <memory>

#include "foundation/inicio_sesion.h"

namespace velmora::recepcion {

namespace {

FormaPrincipal Forma() {
    FormaPrincipal f;
    f.titulo = QStringLiteral("Recepción de información");
    f.tamano = QSize(636, 480);
    f.revision = QStringLiteral("Rev:2006/12/20 ");
    f.textoTodo = QStringLiteral("Todo el envio");
    f.nombreFechas = "GroupBox2";
    f.tituloOperaciones = QStringLiteral("Operaciones a recibir ");
    f.tituloMarca = QStringLiteral("Recibir");
    f.anchoMarca = 38;
    f.existeInicial = 0;
    f.conTipoEnvio = false;
    f.textoQTipodoc = kQTipodocRecepcion;
    f.ordenFoco = {"Fecini",  "Fecfin",  "CkTodo",  "Pref",   "Existe",
                   "SerOri1", "SerDes1", "LCiaOri", "LCiaDes"};
    return f;
}

}  // namespace

Tfprincipal::Tfprincipal(Dialogos& dialogos, std::vector<std::string> argumentos, QWidget* padre)
    : VentanaPrincipal(Forma(), dialogos, std::move(argumentos), padre) {
    FormCreate();
}

ParametrosRecepcion Tfprincipal::Parametros() {
    ParametrosRecepcion p;
    p.companiaOrigen = lCiaOri_->valor();
    p.companiaDestino = lCiaDes_->valor();
    p.acceso = datosAcceso_;
    p.reemplazar = existe_->elegida() == 1;
    p.todoElEnvio = ckTodo_->isChecked();
    // The dates count only for a range; a date box holding something that is not a date
    // stops the run here.
    if (!p.todoElEnvio) {
        p.desde = fecini_->textoIso();
        p.hasta = fecfin_->textoIso();
    }
    p.prefijo = prefijo();
    p.tipos = tipos();
    return p;
}

Tfprincipal::~Tfprincipal() {
    AcabarCorrida();
}

void Tfprincipal::SpeedButton1Click() {
    // The window's values are read here, on the window's thread; the run gets a copy.
    const ParametrosRecepcion leidos = Parametros();
    auto resultado = std::make_shared<ResultadoRecepcion>();
    Correr(
        [this, leidos, resultado](Dialogos& dialogos, Progreso& progreso,
                                  SolicitudDetencion* detencion) {
            ParametrosRecepcion p = leidos;
            p.detencion = detencion;
            *resultado = velmora::SpeedButton1Click(p, componentes_, dialogos, progreso);
        },
        [this, resultado] {
            const ResultadoRecepcion& r = *resultado;
            // A run that did not start (a date of the range missing) leaves the window as it was.
            if (r.iniciado) TerminarPrograma();
        });
}

void Tfprincipal::LiberarSesiones() {
    componentes_.liberar();
}

}  // namespace velmora::recepcion
