#include "ui/Progressos.h"

namespace tevo {

using namespace tk;

TFProgressos::TFProgressos(Backend& backend) : TForm(backend, u"FProgressos") {
  BorderStyle = TBorderStyle::None;
  SetClientSize(344, 114);
  SetColor(Rgb(0xC5, 0xDC, 0xB4));
  SetCursor(TCursor::HourGlass);

  JvGradient1.SetBounds(0, 0, 344, 94);
  JvGradient1.SetGradient(Rgb(0x35, 0x00, 0x35), Rgb(0x00, 0x00, 0x40));

  TFont f;
  f.Name = u"Verdana";
  f.Height = 13;
  f.Color = clYellow;
  LabelMensagem.SetFont(f);
  LabelMensagem.SetBounds(7, 9, 333, 112);
  LabelMensagem.WordWrap = true;
  LabelMensagem.SetCursor(TCursor::HourGlass);

  BarraProgresso.SetBounds(0, 94, 344, 20);
  BarraProgresso.SetCaption(u"Concluídos...[%d%%]");
  BarraProgresso.SetVisible(false);

  OnShow = [this] { FormShow(); };
  OnHide = [this] { FormHide(); };
  FormCreate();
}

void TFProgressos::FormCreate() {
  DoubleBuffered = true;
  LabelMensagem.SetCaption(u"");
}

void TFProgressos::FormShow() {
  StayOnTop = true;
  if (Trim(LabelMensagem.Caption()).empty())
    LabelMensagem.SetCaption(u"\r\n\tProcessamento da solicitação em andamento. \r\n\r\n\tPor favor aguarde...");
}

void TFProgressos::FormHide() {
  LabelMensagem.SetCaption(u"");
  BarraProgresso.SetVisible(false);
}

void MostraAguarde(TFProgressos& FProgressos, const Texto& VMsg) {
  Texto texto;
  if (VMsg.size() < 100)
    texto = VMsg + u"\r\n\r\n\t\tPor favor aguarde...";
  else
    texto = u"\r\n\t" + VMsg + u"\r\n\r\n\t\tPor favor aguarde...";
  FProgressos.LabelMensagem.SetCaption(texto);
  FProgressos.Show();
  FProgressos.backend().ProcessMessages();
}

}  // namespace tevo
