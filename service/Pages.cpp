#include "Pages.h"

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QByteArray layout(const QString& title, const QString& body) {
    QString html;
    html +=
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>");
    html += escaped(title);
    html +=
        QStringLiteral(" – Lorvena</title>\n<style>\n"
                       "body{font-family:Arial,Helvetica,sans-serif;max-width:46em;margin:0 auto;"
                       "padding:1em;line-height:1.5;color:#1b1b1b}\n"
                       "nav a{margin-right:1em}\nh1{font-size:1.6em}\nh2{font-size:1.2em;margin-top:1.6em}\n"
                       "table{border-collapse:collapse}\nth,td{text-align:left;padding:.3em .8em .3em 0;"
                       "vertical-align:top}\n.ok{background:#d4edda;padding:.6em}\n"
                       ".danger{background:#f8d7da;padding:.6em}\n.error{background:#fff3cd;padding:.6em}\n"
                       "kbd{border:1px solid #999;border-radius:3px;padding:0 .3em}\n"
                       "</style>\n</head>\n<body>\n<nav><a href=\"/\">Lorvena</a>"
                       "<a href=\"/files/lorvena-manual.pdf\">Manuál</a>"
                       "<a href=\"/casto-kladene-dotazy/\">Časté dotazy</a>"
                       "<a href=\"/edoklady\">eDoklady</a>"
                       "<a href=\"/download/\">Stáhnout</a></nav>\n<main>\n<h1>");
    html += escaped(title);
    html += QStringLiteral("</h1>\n");
    html += body;
    html += QStringLiteral("</main>\n</body>\n</html>\n");
    return html.toUtf8();
}

QString row(const QString& label, const QString& value) {
    return QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(escaped(label), escaped(value));
}

} // namespace

namespace Pages {

QByteArray home() {
    return layout(
        QStringLiteral("Lorvena – tisk ověřovacích doložek"),
        QStringLiteral(
            "<p>Lorvena tiskne ověřovací doložky vidimace a legalizace a doložky právního jednání obce "
            "na samolepicí etikety formátu A4. Vede pořadová čísla ověřovacích knih, tiskne štítky do "
            "ověřovací knihy, pamatuje si legalizační doložky vracejících se žadatelů a během psaní "
            "ověřuje doklad totožnosti v evidenci neplatných dokladů Ministerstva vnitra.</p>\n"
            "<ul>\n<li><a href=\"/files/lorvena-manual.pdf\">Manuál k programu</a> (PDF)</li>\n"
            "<li><a href=\"/casto-kladene-dotazy/\">Často kladené dotazy</a></li>\n"
            "<li><a href=\"/edoklady\">Vložení údajů z aplikace eDoklady</a></li>\n"
            "<li><a href=\"/download/\">Stažení nejnovější verze</a></li>\n</ul>\n"));
}

QByteArray faq() {
    return layout(
        QStringLiteral("Často kladené dotazy"),
        QStringLiteral(
            "<h2>Doložka se tiskne mimo etiketu. Co s tím?</h2>\n"
            "<p>Otevřete <b>Nastavení</b> → <b>Nastavení tisku doložek</b>. Hodnoty A, B, C, D (svisle) a "
            "Z, Y, X, W (vodorovně) jsou v milimetrech a měří se od levého horního rohu oblasti, kterou "
            "tiskárna umí potisknout, ne od okraje papíru. Je-li celý tisk posunutý dolů, zmenšete A; je-li "
            "posunutý doprava, zmenšete Z. Rozjíždí-li se řádky etiket postupně, upravte výšku etikety C "
            "nebo mezeru D. Zkušební tisk udělejte na obyčejný papír a přiložte ho proti světlu k archu "
            "etiket. Štítky do ověřovací knihy mají vlastní nastavení v kategorii "
            "<b>Nast. tisku štítků do knihy</b>.</p>\n"
            "<h2>Proč se pole s číslem dokladu zbarvilo?</h2>\n"
            "<p>Sekundu po dopsání čísla občanského průkazu nebo cestovního pasu se program zeptá na "
            "evidenci neplatných dokladů Ministerstva vnitra. <b>Zelená</b>: doklad v evidenci není. "
            "<b>Červená</b>: doklad je evidován jako neplatný – nepoužívejte ho k ověření totožnosti. "
            "<b>Žlutá</b>: ověření se nepodařilo (evidence neodpověděla nebo číslo nemá správný tvar). "
            "Tlačítko <b>info</b> otevře stránku s podrobným výsledkem. Při červené nebo žluté barvě se "
            "program před tiskem zeptá, zda chcete doložku přesto vytisknout.</p>\n"
            "<h2>Pole zůstalo bílé a tlačítko se jmenuje „Ověřit“.</h2>\n"
            "<p>Program se nespojil se službou ověření (počítač je bez připojení k internetu, nebo "
            "připojení blokuje firewall). Tlačítko <b>Ověřit</b> otevře výsledek v prohlížeči. Tisk "
            "doložky tím není omezen.</p>\n"
            "<h2>Jak načtu uloženou legalizační doložku?</h2>\n"
            "<p>Při tisku legalizace zaškrtněte <b>Uložit doložku</b>. Příště napište do řádku se jménem "
            "žadatele alespoň tři počáteční písmena a rozbalte seznam šipkou; po výběru se vyplní jméno, "
            "adresa, doklad i způsob podpisu. Uložené doložky smažete v <b>Nastavení</b> → <b>Vidimace a "
            "legalizace</b> → <b>Uložené legalizační doložky</b>.</p>\n"
            "<h2>Jak nastavím pořadové číslo v ověřovací knize?</h2>\n"
            "<p>Pořadové číslo je v hlavním okně vedle označení knihy a po každé vytištěné doložce se "
            "samo zvýší. Pokud ho změníte ručně, program pokračuje od nového čísla. Používáte-li více "
            "knih, zapište jejich označení v <b>Nastavení</b> → <b>Ověřovací knihy</b>; každá kniha má "
            "vlastní řadu čísel.</p>\n"
            "<h2>Jak znovu vytisknu štítek do ověřovací knihy?</h2>\n"
            "<p>Klikněte na šipku vedle tlačítka <b>TISK</b> a zvolte <b>Tisk štítku do ověřovací "
            "knihy</b>. Okno se vyplní podle hlavního okna; rozsah pořadových čísel můžete upravit.</p>\n"
            "<h2>Kde jsou moje data a jak je přenesu na jiný počítač?</h2>\n"
            "<p>Ve složce <code>%APPDATA%\\Lorvena</code>: <code>lorvena.ini</code> (nastavení a pořadová "
            "čísla), <code>legalizace.dec</code> (uložené doložky) a <code>logo.bmp</code> (logo obce). "
            "Zkopírujte celou složku při zavřeném programu.</p>\n"
            "<h2>Jak vložím údaje z elektronického občanského průkazu?</h2>\n"
            "<p>Postup je popsán na stránce <a href=\"/edoklady\">eDoklady</a>.</p>\n"));
}

QByteArray download(const QString& version, const QStringList& installerNames) {
    QString body =
        QStringLiteral("<p>Nejnovější verze programu Lorvena je <b>%1</b>.</p>\n").arg(escaped(version));
    QStringList packages;
    for (const QString& name : installerNames) {
        body += QStringLiteral("<p><a href=\"/download/%1\">Stáhnout instalační soubor %2</a></p>\n")
                    .arg(escaped(name), escaped(name));
        if (name.endsWith(u".deb"))
            packages.append(name);
    }
    if (!packages.isEmpty()) {
        QString commands;
        for (const QString& name : packages)
            commands += QStringLiteral("sudo apt install ./%1\n").arg(escaped(name));
        body +=
            QStringLiteral(
                "<h2>Instalace na Linuxu (Debian, Ubuntu)</h2>\n"
                "<p>Stáhněte balíček a nainstalujte ho jako správce příkazem</p>\n<pre>%1</pre>\n"
                "<p>Balíček <code>lorvena</code> je program pro ověřovatele, <code>lorvena-service</code> "
                "webová služba pro server. Novou verzi nainstalujete stejně; nastavení a data zůstávají "
                "ve složce <code>~/.local/share/Lorvena</code> každého uživatele.</p>\n")
                .arg(commands);
    }
    if (installerNames.isEmpty()) {
        body += QStringLiteral("<p>Instalační soubor vám na požádání pošle autor programu.</p>\n");
    }
    body += QStringLiteral(
        "<h2>Instalace nové verze</h2>\n"
        "<ol>\n<li>Zavřete program Lorvena.</li>\n"
        "<li>Spusťte instalační soubor a potvrďte instalaci do stejné složky jako dosud.</li>\n"
        "<li>Spusťte program. Nastavení, pořadová čísla ověřovacích knih, uložené doložky i logo "
        "zůstávají ve složce <code>%APPDATA%\\Lorvena</code> a nová verze je převezme.</li>\n</ol>\n"
        "<p>Verzi, kterou máte, ukazuje stavový řádek hlavního okna a okno "
        "<b>Nápověda</b> → <b>Informace o programu</b>.</p>\n");
    return layout(QStringLiteral("Stáhnout nejnovější verzi"), body);
}

QByteArray edoklady() {
    return layout(
        QStringLiteral("Údaje z aplikace eDoklady"),
        QStringLiteral(
            "<p>Prokazuje-li se žadatel o legalizaci elektronickým dokladem, převezme Lorvena jeho "
            "údaje ze čtečky ověřovatele (aplikace eDoklady) přes schránku.</p>\n"
            "<ol>\n<li>Ve čtečce ověřovatele načtěte doklad žadatele.</li>\n"
            "<li>Ve čtečce klikněte na <b>„Exportovat údaje“</b>.</li>\n"
            "<li>Potom klikněte na <b>„Kopírovat do schránky“</b>.</li>\n"
            "<li>V programu Lorvena na záložce <b>LEGALIZACE</b> klikněte na tlačítko se čtečkou "
            "(<i>Vložit data ze čtečky ověřovatele - eDoklady</i>) vpravo nahoře.</li>\n</ol>\n"
            "<p>Program vyplní jméno, příjmení, datum a místo narození žadatele, adresu trvalého pobytu, "
            "číslo dokladu (jako občanský průkaz občana ČR) a pohlaví. Za sekundu doklad ověří v evidenci "
            "neplatných dokladů. Pořadové číslo, způsob podpisu, datum a ověřovatele zkontrolujte a doplňte "
            "jako obvykle.</p>\n"
            "<h2>Program hlásí, že ve schránce nejsou data</h2>\n"
            "<p>Schránka je prázdná nebo v ní není text – ve čtečce jste pravděpodobně neklikli na "
            "„Kopírovat do schránky“, nebo jste mezitím zkopírovali něco jiného. Zopakujte kroky 2 a 3.</p>\n"
            "<h2>Program hlásí, že ve schránce nejsou správná data</h2>\n"
            "<p>Ve schránce je jiný text než export ze čtečky. Zopakujte kroky 2 a 3 a hned potom "
            "klikněte na tlačítko v programu Lorvena.</p>\n"));
}

QByteArray result(const DocumentQuery& query, const RegisterAnswer& answer) {
    QString body = QStringLiteral("<table>\n");
    body += row(QStringLiteral("Druh dokladu"), documentKindName(query.type));
    body += row(QStringLiteral("Číslo dokladu"), query.number);
    QString verdict;
    QString style;
    QString next;
    switch (answer.outcome) {
    case RegisterAnswer::Outcome::NotListed:
        style = QStringLiteral("ok");
        verdict = QStringLiteral("Doklad není v evidenci neplatných dokladů.");
        next = QStringLiteral(
            "<p>Doklad můžete použít k ověření totožnosti žadatele. Evidence obsahuje jen doklady "
            "nahlášené jako neplatné (ztracené, odcizené, zničené, skončené); jako vždy zkontrolujte, "
            "že doklad nemá prošlou platnost, není poškozený a fotografie odpovídá žadateli.</p>\n");
        break;
    case RegisterAnswer::Outcome::Listed:
        style = QStringLiteral("danger");
        verdict = QStringLiteral("Doklad JE v evidenci neplatných dokladů.");
        next = QStringLiteral(
            "<ol>\n<li>Podle tohoto dokladu totožnost žadatele neověřujte a legalizaci na jeho základě "
            "neprovádějte.</li>\n"
            "<li>Zkontrolujte, zda jste číslo (a sérii) opsali správně – překlep může vést na cizí "
            "doklad.</li>\n"
            "<li>Požádejte žadatele o jiný platný doklad totožnosti.</li>\n"
            "<li>Tvrdí-li žadatel, že doklad je platný, ať se obrátí na úřad, který doklad vydal; "
            "nalezený dříve ztracený doklad se odevzdává tam.</li>\n</ol>\n");
        break;
    case RegisterAnswer::Outcome::Failed:
        style = QStringLiteral("error");
        verdict = QStringLiteral("Ověření se nepodařilo.");
        next = QStringLiteral(
            "<p>Zkuste to za chvíli znovu (tlačítkem v programu nebo obnovením této stránky), nebo doklad "
            "ověřte přímo ve veřejné evidenci neplatných dokladů Ministerstva vnitra. Do té doby posuďte "
            "doklad sami; Lorvena se před tiskem doložky zeptá na potvrzení.</p>\n");
        break;
    }
    body += row(QStringLiteral("Výsledek"), verdict);
    if (answer.source == RegisterAnswer::Source::Copy) {
        body +=
            row(QStringLiteral("Zdroj"), QStringLiteral("podle kopie registru ze dne ") + answer.copyDate);
        if (!answer.failure.isEmpty()) {
            body += row(QStringLiteral("On-line registr"),
                        QStringLiteral("neodpověděl (%1), proto odpověděla kopie").arg(answer.failure));
        }
    } else if (answer.outcome != RegisterAnswer::Outcome::Failed) {
        body += row(QStringLiteral("Zdroj"), QStringLiteral("on-line registr Ministerstva vnitra"));
    }
    if (!answer.updated.isEmpty())
        body += row(QStringLiteral("Evidence aktualizována"), answer.updated);
    if (answer.outcome == RegisterAnswer::Outcome::Listed && !answer.listedSince.isEmpty())
        body += row(QStringLiteral("Evidován jako neplatný od"), answer.listedSince);
    if (answer.outcome == RegisterAnswer::Outcome::Failed && !answer.failure.isEmpty())
        body += row(QStringLiteral("Důvod"), answer.failure);
    body += QStringLiteral("</table>\n");
    body += QStringLiteral("<p class=\"%1\"><b>%2</b></p>\n").arg(style, escaped(verdict));
    body += QStringLiteral("<h2>Co dělat dál</h2>\n") + next;
    return layout(QStringLiteral("Výsledek ověření dokladu"), body);
}

QByteArray unsupportedQuery(const QUrlQuery& query) {
    const QString type = query.queryItemValue(QStringLiteral("type"), QUrl::FullyDecoded);
    const QString number = query.queryItemValue(QStringLiteral("number"), QUrl::FullyDecoded);
    QString body = QStringLiteral("<table>\n");
    if (!documentKindName(type).isEmpty())
        body += row(QStringLiteral("Druh dokladu"), documentKindName(type));
    if (!number.isEmpty()) {
        const QString shown = number.size() > 40 ? number.left(40) + QStringLiteral("…") : number;
        body += row(QStringLiteral("Číslo dokladu"), shown);
    }
    body += QStringLiteral("</table>\n");
    if (documentKindName(type).isEmpty()) {
        body += QStringLiteral(
            "<p class=\"error\"><b>Tento druh dokladu v evidenci neplatných dokladů ověřit nelze.</b></p>\n"
            "<h2>Co dělat dál</h2>\n<p>Evidence Ministerstva vnitra vede jen občanské průkazy a cestovní "
            "pasy občanů ČR. Průkaz o povolení pobytu, doklady občanů EU, cestovní pasy cizinců a průkazy "
            "vydané MZV posuďte podle jejich vzhledu, platnosti a shody fotografie se žadatelem.</p>\n");
    } else {
        body += QStringLiteral(
            "<p class=\"error\"><b>Číslo dokladu chybí nebo nemá správný tvar.</b></p>\n"
            "<h2>Co dělat dál</h2>\n<p>Číslo dokladu se zapisuje bez mezer a dalších znaků, jen písmena "
            "a číslice (nejvýše 20). Série se píše do vlastního pole hned za číslem. Opravte číslo v "
            "programu; ověření proběhne samo za sekundu.</p>\n");
    }
    return layout(QStringLiteral("Výsledek ověření dokladu"), body);
}

QByteArray notFound() {
    return layout(QStringLiteral("Stránka nenalezena"),
                  QStringLiteral("<p>Tato stránka neexistuje. Pokračujte na <a href=\"/\">úvodní "
                                 "stránku</a>.</p>\n"));
}

QByteArray methodNotAllowed() {
    return layout(QStringLiteral("Nepodporovaný požadavek"),
                  QStringLiteral("<p>Služba odpovídá jen na požadavky GET a HEAD.</p>\n"));
}

} // namespace Pages
