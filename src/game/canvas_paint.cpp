// The paint handshake of MainCanvas: a wanted paint (m_bRepaint) becomes a
// requested one (prePaint; in play m_bWaitingPaint holds back the next
// simulation step) and then a done one (execPaint).
#include <new>
#include <stdexcept>

#include "game/graphics.h"
#include "game/canvas_text.h"
#include "game/main_canvas.h"

namespace tetsuro {

void MainCanvas::prePaint() {
    m_bRepaint = 0;
    if (m_iState != STATE_PLAY) {
        callPaint();
        return;
    }
    if (view().setPutArea(*this)) m_bRenewPutArea = 1;
    if (m_bRenewPutArea) {
        if (!view().renewPutArea(*this)) return;
        m_bRenewPutArea = 0;
    }
    if (!m_bWaitingPaint) m_lPaintWaitSince = nowMs();
    m_bWaitingPaint = 1;
    callPaint();
}

void MainCanvas::paint(Graphics& g) { execPaint(g); }

void MainCanvas::execPaint(Graphics& g) {
    if (m_iState < STATE_TITLE) return;
    if (m_b2IME != 0) {
        m_bWaitingPaint = 0;
        return;
    }
    if (m_bPaint || m_bNextFrame) {
        m_bRepaint = 1;
        return;
    }
    struct PaintScope {
        MainCanvas& c;
        Graphics& g;
        PaintScope(MainCanvas& c, Graphics& g) : c(c), g(g) {
            c.m_bPaint = 1;
            g.lock();
        }
        ~PaintScope() {
            g.unlock();
            c.m_dwPaintTime = c.nowMs();
            c.m_bPaint = 0;
            c.m_bWaitingPaint = 0;
        }
    };
    m_bRepaint = 0;
    try {
        PaintScope scope(*this, g);
        view().execPaintMain(*this, g);
    } catch (const std::bad_alloc&) {
        m_host.messageBox(kOutOfMemoryMessage);
    } catch (const std::exception& e) {
        m_host.messageBox(std::string(kInternalErrorPrefix) + e.what());
    }
}

}  // namespace tetsuro
