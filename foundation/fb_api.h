// Thin RAII over the Firebird client's object-oriented API: one throwing status wrapper
// and holders that release each interface exactly once.
#pragma once

#include <firebird/Interface.h>

#include <utility>

namespace velmora::fb {

Firebird::IMaster* Maestro();
Firebird::IUtil* Util();

// Status wrapper whose checks raise ErrorBaseDatos with the server's code and text.
class Estado : public Firebird::BaseStatusWrapper<Estado> {
  public:
    Estado() : BaseStatusWrapper(Maestro()->getStatus()) {}
    ~Estado() { dispose(); }
    Estado(const Estado&) = delete;
    Estado& operator=(const Estado&) = delete;

    static void checkException(Estado* estado) {
        if (estado->dirty && (estado->getState() & Firebird::IStatus::STATE_ERRORS))
            estado->Lanzar();
    }

  private:
    [[noreturn]] void Lanzar();
};

// Owns one reference to an interface. The Firebird 3 client releases an attachment,
// transaction, statement, cursor or blob itself when detach, commit, rollback, free or
// close succeeds; Terminar() hands the pointer to such a call and releases it only
// when the call failed.
template <class I>
class Ref {
  public:
    Ref() = default;
    explicit Ref(I* p) : p_(p) {}
    ~Ref() { Soltar(); }
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept {
        if (this != &o) {
            Soltar();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void Soltar() noexcept {
        if (p_) std::exchange(p_, nullptr)->release();
    }

    template <class F>
    void Terminar(F&& llamada) {
        I* p = std::exchange(p_, nullptr);
        if (!p) return;
        try {
            llamada(p);
        } catch (...) {
            p->release();
            throw;
        }
    }

  private:
    I* p_ = nullptr;
};

}  // namespace velmora::fb
