// Test program: shows every kind of the message dialog in turn, for the end-to-end
// test that answers them from outside through the automation program. After each
// dialog closes, one line "step=result[|answer]" is added to msgdemo.txt beside the
// program (UTF-8), so the test knows the dialog's answer and when the next one comes.
#include <string>

#include "app/Contexto.h"
#include "platform/win32/Fabrica.h"
#include "ui/Msg.h"
#include "ui/Progressos.h"

using namespace tevo;

int wmain() {
  auto plat = CriaPlataformaWin32();
  auto ui = CriaBackendWin32();
  Contexto ctx(*plat, *ui);
  ctx.CriaProgressos();
  TFMsg& m = ctx.Msg();

  const Texto programa = plat->CaminhoPrograma();
  const Texto arquivo = programa.substr(0, programa.find_last_of(u'\\') + 1) + u"msgdemo.txt";
  std::string linhas;
  auto registra = [&](const std::string& passo, const Texto& resultado) {
    linhas += passo + "=" + Utf8(resultado) + "\n";
    if (auto f = plat->CriaArquivo(arquivo)) {
      f->Escreve(linhas.data(), linhas.size());
      f->Fecha();
    }
  };
  auto sim = [](bool b) { return Texto(b ? u"1" : u"0"); };
  auto pedido = [&](const std::string& passo, const Texto& pergunta, TFormatoPedidoInformacao tipo,
                    const Texto& padrao = u"") {
    Texto r;
    const bool ok = m.PedidoInformacao(r, pergunta, tipo, padrao, u"#,##0.00");
    registra(passo, sim(ok) + u"|" + r);
  };

  registra("separador", Texto(1, plat->SeparadorDecimal()));
  MostraAguarde(ctx.Progressos(), u"Preparando a demonstração...");
  m.Erro(u"Não foi possível gravar o arquivo de configuração.", u"Versão 12.1.1", u"Acesso negado.");
  registra("Erro", IntToStr(m.ModalResult()));
  registra("Aguarde", sim(ctx.Progressos().Visible()));
  m.AvisoOutros(u"O Firebird 4.0 instalado nesta máquina será removido.");
  registra("AvisoOutros", IntToStr(m.ModalResult()));
  registra("ConfirmacaoAtencao", sim(m.ConfirmacaoAtencao(u"Tem certeza que deseja cancelar a instalação?", u"Sim", u"Não")));
  registra("ConfirmacaoAtencao2", sim(m.ConfirmacaoAtencao(u"Tem certeza que deseja cancelar a instalação?", u"Sim", u"Não")));
  registra("ConfirmacaoSimples", sim(m.ConfirmacaoSimples(u"Deseja continuar com a instalação?", u"Continuar agora", u"Não")));
  registra("ConfirmacaoErro", sim(m.ConfirmacaoErro(u"Houve um erro ao copiar os arquivos. Tentar de novo?", u"Sim", u"Não")));
  m.Sucesso(u"Instalação concluída com sucesso.", 2);
  registra("Sucesso", IntToStr(m.ModalResult()));
  m.Sucesso(u"Tudo pronto.", 0);
  registra("Sucesso2", IntToStr(m.ModalResult()));
  Texto longo = u"Falha ao preparar o servidor Firebird: ";
  while (longo.size() < 1000) longo += u"erro de comunicação com o servidor; ";
  m.AvisoImportante(longo, u"isc_dsql_error");
  registra("AvisoImportante", IntToStr(m.ModalResult()));
  m.AvisoHelps(u"Use a tecla Tab para passar de um campo a outro.", 12, true);
  registra("AvisoHelps", IntToStr(m.ModalResult()));
  pedido("tfTexto", u"Informe o nome da empresa:", TFormatoPedidoInformacao::tfTexto);
  pedido("tfInteiro", u"Quantas estações vão usar o sistema?", TFormatoPedidoInformacao::tfInteiro, u"0");
  pedido("tfNumerico", u"Valor da mensalidade:", TFormatoPedidoInformacao::tfNumerico);
  for (const char16_t* item : {u"Matriz", u"Filial 2", u"Filial 1"}) m.ComboBoxToRetorno.AddItem(item);
  pedido("tfTextoLista", u"Escolha a empresa:", TFormatoPedidoInformacao::tfTextoLista);
  pedido("tfData", u"Data do último backup:", TFormatoPedidoInformacao::tfData);
  pedido("tfPass", u"Senha do administrador do servidor:", TFormatoPedidoInformacao::tfPass);
  registra("fim", u"1");
  return 0;
}
