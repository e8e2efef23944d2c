#include "envio/principal.h"

#include <QCheckBox>
#include <memory>

#include "foundation/inicio_sesion.h"

namespace velmora::envio {

namespace {

FormaPrincipal Forma() {
    FormaPrincipal f;
    f.titulo = QStringLiteral("Envío de información");
    f.tamano = QSize(697, 481);
    f.revision = QStringLiteral("Rev:2008/09/15");
    f.textoTodo = QStringLiteral("Todo lo no enviado");
    f.nombreFechas = "RngFechas";
    f.tituloOperaciones = QStringLiteral("Operaciones a transmitir ");
    f.tituloMarca = QStringLiteral("Enviar");
    f.anchoMarca = 35;
    f.existeInicial = 1;
    f.conTipoEnvio = true;
    f.textoQTipodoc = kQTipodocEnvio;
    f.ordenFoco = {"Tipo", "Fecini",  "Fecfin",  "Existe",  "CkTodo",
                   "Pref", "LCiaOri", "LCiaDes", "SerOri1", "SerDes1"};
    return f;
}

}  // namespace

Tfprincipal::Tfprincipal(Dialogos& dialogos, std::vector<std::string> argumentos, QWidget* padre)
    : VentanaPrincipal(Forma(), dialogos, std::move(argumentos), padre) {
    FormCreate();
}

ParametrosEnvio Tfprincipal::Parametros() {
    ParametrosEnvio p;
    p.textoCompaniaOrigen = lCiaOri_->texto();
    p.companiaOrigen = lCiaOri_->valor();
    p.textoCompaniaDestino = lCiaDes_->texto();
    p.companiaDestino = lCiaDes_->valor();
    p.acceso = datosAcceso_;
    p.enLinea = tipo_->elegida() == 0;
    p.reemplazar = existe_->elegida() == 1;
    p.todoLoNoEnviado = ckTodo_->isChecked();
    // The dates count only for a range; a date box holding something that is not a date
    // stops the send here.
    if (!p.todoLoNoEnviado) {
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
    const ParametrosEnvio leidos = Parametros();
    auto resultado = std::make_shared<ResultadoEnvio>();
    Correr(
        [this, leidos, resultado](Dialogos& dialogos, Progreso& progreso,
                                  SolicitudDetencion* detencion) {
            ParametrosEnvio p = leidos;
            p.detencion = detencion;
            *resultado = velmora::SpeedButton1Click(p, componentes_, dialogos, progreso);
        },
        [this, resultado] {
            const ResultadoEnvio& r = *resultado;
            // A run that did not start leaves the window for another try, except when the transfer
            // template could not be copied.
            if (r.iniciado || r.sinPlantilla) TerminarPrograma();
        });
}

void Tfprincipal::PrepararModoArticulos() {
    tipo_->elegir(0);  // "En línea"
}

void Tfprincipal::LiberarSesiones() {
    // The journal marks are committed here.
    componentes_.liberar();
}

}  // namespace velmora::envio
