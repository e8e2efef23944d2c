// The busy panel of a run and its progress bar, as the runs see them: the windows show
// them, the unattended front ends draw them on a terminal or not at all.
#pragma once

namespace velmora {

class Progreso {
  public:
    virtual ~Progreso() = default;
    virtual void mostrar() = 0;
    virtual void ocultar() = 0;
    virtual void iniciar(int maximo) = 0;
    virtual void avanzar() = 0;
};

class SinProgreso : public Progreso {
  public:
    void mostrar() override {}
    void ocultar() override {}
    void iniciar(int) override {}
    void avanzar() override {}
};

}  // namespace velmora
