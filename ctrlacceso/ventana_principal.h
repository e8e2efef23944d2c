// What the main windows of both programs share: the login when the window is first shown,
// the company and document type lists, the journal selection, the document type grid with its
// menu, the progress panel and the two buttons, and the thread that runs a program's run
// while the window stays alive. Each program's Tfprincipal adds its run.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ctrlacceso/controles.h"
#include "foundation/datos_acceso.h"
#include "foundation/detencion.h"
#include "foundation/dialogos.h"
#include "foundation/progreso.h"
#include "foundation/sesion.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QProgressBar;
class QToolButton;

namespace velmora {

// What tells the two main windows apart.
struct FormaPrincipal {
    QString titulo;
    QSize tamano;
    QString revision;
    QString textoTodo;          // caption of CkTodo
    const char* nombreFechas;   // the date group: RngFechas or GroupBox2
    QString tituloOperaciones;  // the group around the grid
    QString tituloMarca;        // title of the mark column
    int anchoMarca;
    int existeInicial;  // 0 "Omitir (no recibir)", 1 "Reemplazar"
    // The sender: the send type, and the grid and the dates follow CkTodo.
    bool conTipoEnvio;
    std::string textoQTipodoc;
    // The controls by name in their focus order; the grid comes last.
    std::vector<const char*> ordenFoco;
};

class VentanaPrincipal : public QWidget {
    Q_OBJECT
  public:
    ~VentanaPrincipal() override;

    const DatosAcceso& datosAcceso() const { return datosAcceso_; }

    // A run is going on its thread.
    bool corriendo() const { return hilo_.joinable(); }

    // The question asked before a run is stopped.
    static constexpr const char* kPreguntaDetener =
        "\xBF"
        "Detener la copia? Lo copiado hasta ahora queda guardado.";

  signals:
    // The first showing has done what it could: login, lists, command-line mode (whose run
    // may still be going).
    void activada();
    // A run has ended and the window has done what follows it.
    void corridaTerminada();

  protected:
    // `argumentos`: those after the program's name, as Windows-1252 bytes.
    VentanaPrincipal(const FormaPrincipal& forma, Dialogos& dialogos,
                     std::vector<std::string> argumentos, QWidget* padre);

    // Creation, once the program's own components exist: the data error hooks, the
    // application-wide error handler, the first-activation mark.
    void FormCreate();

    // "Enviar": the program's run with the window's values.
    virtual void SpeedButton1Click() = 0;
    // The command-line mode's own choices before its run.
    virtual void PrepararModoArticulos() {}
    // Closing the window: the program's sessions are released, so that what the run left
    // open is committed now and a failing commit is shown.
    virtual void LiberarSesiones() {}

    // Ends the program: the window closes.
    void TerminarPrograma();

    // Starts a run on a thread of its own: `corrida` gets the window's dialogs and progress,
    // which it may use from that thread, and the window's stop request; the window stays
    // alive, disabled but for "Cancelar", with Panel3 over the grid. `alTerminar` runs on the
    // window's thread once the run has ended, unless the run raised (the failure is shown).
    void Correr(std::function<void(Dialogos&, Progreso&, SolicitudDetencion*)> corrida,
                std::function<void()> alTerminar);

    // A window that goes away during a run stops it and waits for its end: the run uses the
    // program's sessions, so each program's window calls it before they go.
    void AcabarCorrida() noexcept;

    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    bool focusNextPrevChild(bool siguiente) override;

    // Values for the runs.
    std::vector<TipoDocumento> tipos();
    std::string prefijo() const;

    Dialogos& dialogos_;
    Componente raiz_{nullptr, "Tfprincipal"};
    DatosAcceso datosAcceso_;
    SesionOrigen dbGeneral_{"DbGeneral"};
    SesionOrigen dbGeneraldes_{"DbGeneraldes"};
    SesionOrigen dbSop_{"DBsop"};
    std::unique_ptr<ConjuntoEditable> ctipodoc_;

    // The dialogs of the window: from the window's thread straight to the program's, from a
    // run's thread carried over to the window's, the run waiting for the answer; after a
    // signal, to the error output.
    class DialogosDeVentana : public Dialogos {
      public:
        DialogosDeVentana(VentanaPrincipal& ventana, Dialogos& destino)
            : ventana_(ventana), destino_(destino) {}
        void mensaje(const std::string& texto) override;
        void error(const std::string& texto) override;
        bool confirmar(const std::string& texto) override;
        void pitido() override;

      private:
        bool sinPersona(const char* tipo, const std::string& texto);
        void enLaVentana(const std::function<void()>& accion);
        VentanaPrincipal& ventana_;
        Dialogos& destino_;
    };

    // Panel3, ProgressBar1 and LblCuenta, as the runs drive them: from a run's thread, each
    // step is queued to the window's thread.
    class Panel3 : public Progreso {
      public:
        explicit Panel3(VentanaPrincipal& ventana) : ventana_(ventana) {}
        void mostrar() override;
        void ocultar() override;
        void iniciar(int maximo) override;
        void avanzar() override;

      private:
        void enLaVentana(std::function<void()> accion);
        VentanaPrincipal& ventana_;
    };

    DialogosDeVentana dialogosVentana_;
    Panel3 progreso_{*this};

    QLineEdit* serOri1_;
    QLineEdit* serDes1_;
    CajaCompania* lCiaOri_;
    CajaCompania* lCiaDes_;
    QCheckBox* ckTodo_;
    QGroupBox* fechas_;
    CajaFecha* fecini_;
    CajaFecha* fecfin_;
    GrupoOpciones* tipo_ = nullptr;  // the sender only
    GrupoOpciones* existe_;
    QLineEdit* pref_;
    QGroupBox* operaciones_;
    RejillaTipos* dbGridEh1_;
    ModeloTipos* modeloTipos_;
    QMenu* popupMenu1_;
    QWidget* panel3_;
    QProgressBar* progressBar1_;
    QLabel* lblCuenta_;  // "N de M entradas" under the panel's caption
    int entradas_ = 0;   // M: the entries of the run's journal
    QToolButton* speedButton1_;
    QToolButton* speedButton2_;

  private:
    void FormActivate();
    void TerminarCorrida(std::exception_ptr fallo, std::function<void()> alTerminar);
    void AlSolicitarDetencion();
    // Asks before a run is stopped; true when the person stops it.
    bool PreguntarDetener();
    void BloquearControles(bool bloquear);
    void MostrarCuenta();
    void SerOri1Change();
    void SerDes1Change();
    void CkTodoClick();
    void TipoClick();
    void Seleccionartodo1Click();
    void Desmarcartodo1Click();
    void SpeedButton2Click();
    void CargarTipos();
    void ArrancarModoArticulos();
    void Marcar(bool marcar);
    void PonerServidor(QLineEdit* caja, const std::string& servidor,
                       void (VentanaPrincipal::*cambio)());
    void VolverAlPrimero();
    void ColocarPanel3();
    void OrdenarFoco();
    void ConstruirControles();

    FormaPrincipal forma_;
    std::vector<QWidget*> paradas_;  // the focus order
    std::vector<std::string> argumentos_;
    bool primeraActivacion_ = false;

    SolicitudDetencion detencion_;
    std::thread hilo_;
    std::atomic<bool> acabada_{false};                   // the run's thread has done all it does
    std::vector<std::pair<QWidget*, bool>> bloqueados_;  // controls disabled by a run
};

}  // namespace velmora
