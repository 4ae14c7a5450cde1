// SPDX-License-Identifier: Apache-2.0
// The printer application's pages in Debian's chromium (headless), as an operator's browser
// sees them. run-app-browser-tests starts the application and the emulator and passes:
//   TQ51M_PAGE_BASE   http://localhost:PORT/PRINTER/
//   TQ51M_APP, TQ51M_APP_URI, TQ51M_PRINTER, TQ51M_PHOTO   to print jobs
//   TQ51M_EMULATOR, TQ51M_SERIAL   to change the printer and to know it
//   TQ51M_PROFILE     a fresh chromium profile folder
//   TQ51M_SCREENSHOTS optional folder for the English and Japanese screenshots
'use strict';
const { execFileSync } = require('child_process');
const puppeteer = require('puppeteer-core');

const base = process.env.TQ51M_PAGE_BASE;
let failures = 0;
function check(ok, what) {
  if (!ok) {
    console.error('FAIL: ' + what);
    failures++;
  }
}

// The monitor's words for an idle printer with 37 of 50 sheets of 8x10in "Corvel" media left,
// and the photo settings' heading, finish label, "Matte", save button and counter reset button.
const languages = [
  { header: 'en-US,en;q=0.9', lang: 'en', heading: 'Printer Status', state: 'Waiting',
    group: 'Media Info[ Corvel ]', counts: '37 / 50  Sheets (12  Sheets : 8x5in)',
    settings: ['Photo settings', 'Finish:', 'Matte', 'Save photo settings', 'Reset'] },
  { header: 'de-DE,de;q=0.9', lang: 'de', heading: 'Druckerstatus', state: 'Warten',
    group: 'Medieninfo[ Corvel ]', counts: '37 / 50  Blätter (12  Blätter : 8x5in)',
    settings: ['Fotoeinstellungen', 'Oberfläche:', 'Matt', 'Fotoeinstellungen speichern',
               'Zurücksetzen'] },
  { header: 'fr-FR,fr;q=0.9', lang: 'fr', heading: "État de l'imprimante", state: 'En attente',
    group: 'Informations sur les supports[ Corvel ]',
    counts: '37 / 50  Feuilles (12  Feuilles : 8x5in)',
    settings: ['Réglages photo', 'Finition:', 'Mat', 'Enregistrer les réglages photo',
               'Remettre à zéro'] },
  { header: 'es-ES,es;q=0.9', lang: 'es', heading: 'Estado de la impresora', state: 'En espera',
    group: 'Información del medio[ Corvel ]', counts: '37 / 50  Hojas (12  Hojas : 8x5in)',
    settings: ['Ajustes de foto', 'Acabado:', 'Mate', 'Guardar ajustes de foto', 'Restablecer'] },
  { header: 'ja,en-US;q=0.8', lang: 'ja', heading: 'プリンターステータス', state: '待機中',
    group: 'メディア情報[ Corvel ]', counts: '37 / 50  枚 (12  枚 : 8x5in)',
    settings: ['写真設定', '仕上げ:', 'マット', '写真設定を保存', 'リセット'] },
  { header: 'zh-CN,zh;q=0.9', lang: 'zh', heading: '打印机状态', state: '正在等候',
    group: '介质信息[ Corvel ]', counts: '37 / 50  张 (12  张 : 8x5in)',
    settings: ['照片设置', '表面处理:', '哑光', '保存照片设置', '重置'] },
  // A language the monitor does not speak: English.
  { header: 'pt-BR,pt;q=0.9', lang: 'en', heading: 'Printer Status', state: 'Waiting',
    group: 'Media Info[ Corvel ]', counts: '37 / 50  Sheets (12  Sheets : 8x5in)',
    settings: ['Photo settings', 'Finish:', 'Matte', 'Save photo settings', 'Reset'] },
];

// The jobs page of a finished one-sheet job (the first): headings, state, reason, media, finish.
const jobPages = [
  { header: 'ja,en-US;q=0.8', lang: 'ja',
    headings: ['ジョブ番号', '名前', 'ユーザー', '状態', '理由', '時刻', '用紙', '仕上げ',
               '送信したシート'],
    state: '完了', reason: '1 ページをプリンターに送信しました。', media: '8 x 10 インチ',
    finish: 'マット', sheet: 'シート 1' },
  { header: 'de-DE,de;q=0.9', lang: 'de',
    headings: ['Auftrag', 'Name', 'Benutzer', 'Status', 'Grund', 'Zeit', 'Medium', 'Oberfläche',
               'Gesendete Blätter'],
    state: 'Abgeschlossen', reason: '1 Seite(n) an den Drucker gesendet.',
    media: '8 x 10 Zoll', finish: 'Matt', sheet: 'Blatt 1' },
];

const text = (page, selector) =>
  page.$eval(selector, (element) => element.textContent).catch(() => null);

async function checkLanguages(browser) {
  for (const language of languages) {
    const page = await browser.newPage();
    await page.setExtraHTTPHeaders({ 'Accept-Language': language.header });
    await page.setViewport({ width: 390, height: 844, isMobile: true });
    await page.goto(base + 'tq51m', { waitUntil: 'load' });
    const what = `${language.header}: `;
    check((await page.$eval('[lang]', (e) => e.getAttribute('lang'))) === language.lang,
          what + 'lang attribute');
    check((await text(page, '#tq51m-status h2')) === language.heading, what + 'heading');
    check((await text(page, '#tq51m-state')) === language.state, what + 'state');
    check((await text(page, '#tq51m-media-group')) === language.group, what + 'media group');
    check((await text(page, '#tq51m-media')) === '8x10in', what + 'media size');
    check((await text(page, '#tq51m-media-counts')) === language.counts, what + 'counts');
    check((await page.$eval('meter', (e) => e.value)) === 74, what + 'remaining percent');
    check((await text(page, '#tq51m-total')) === '123', what + 'total count');
    check((await text(page, '#tq51m-firmware')) === '1.53', what + 'firmware');
    check((await text(page, '#tq51m-serial')) === process.env.TQ51M_SERIAL, what + 'serial');
    const [settings, finish, matte, save, reset] = language.settings;
    check((await text(page, '#tq51m-settings')) === settings, what + 'settings heading');
    check((await page.$eval('select[name="media-type"]',
      (e) => e.closest('tr').cells[0].textContent)) === finish, what + 'finish label');
    check((await text(page, 'option[value="photographic-matte"]')) === matte, what + 'matte');
    check((await page.$eval('#tq51m-save', (e) => e.value)) === save, what + 'save button');
    check((await page.$eval('input[name="reset-counter"]', (e) => e.value)) === reset,
          what + 'reset button');
    // The script replaces the status section every 2 s, and with it the badge's element: the
    // badge judged is the one on screen once it has loaded.
    await page.waitForFunction(() => {
      const e = document.querySelector('#tq51m-picture');
      return e !== null && e.complete && e.naturalWidth > 0;
    }, { timeout: 10000 }).catch(() => {});
    const badge = await page.$eval('#tq51m-picture', (e) => [e.src, e.complete, e.naturalWidth]);
    check(badge[0].endsWith('/tq51m/PrtStsIdle.png') && badge[1] && badge[2] > 0,
          what + 'green badge ' + badge);
    // Usable on a phone: nothing wider than the screen but the jobs table's own scroller.
    const width = await page.evaluate(() => document.documentElement.scrollWidth);
    check(width <= 390, what + `page is ${width} pixels wide on a 390-pixel screen`);
    if (process.env.TQ51M_SCREENSHOTS && (language.header.startsWith('en-US') ||
                                          language.header.startsWith('ja'))) {
      await page.screenshot({ path: `${process.env.TQ51M_SCREENSHOTS}/app-status-${language.lang}.png`,
                              fullPage: true });
    }
    await page.close();
  }
}

async function checkSettings(browser) {
  const page = await browser.newPage();
  await page.goto(base + 'tq51m', { waitUntil: 'load' });
  await page.$eval('input[name="tq51m-sharpness"]', (e) => { e.value = '5'; });
  await page.select('select[name="media-type"]', 'photographic-matte');
  await Promise.all([page.waitForNavigation({ waitUntil: 'load' }),
                     page.click('#tq51m-save')]);
  check((await text(page, '#tq51m-notice')) === 'Photo settings saved.', 'save notice');
  await page.goto(base + 'tq51m', { waitUntil: 'load' });
  check((await page.$eval('input[name="tq51m-sharpness"]', (e) => e.value)) === '5',
        'sharpness 5 kept');
  check((await page.$eval('select[name="media-type"]', (e) => e.value)) === 'photographic-matte',
        'matte finish kept');
  await page.close();
}

// Names a client may send; none of them may change the page.
const hostileNames = ['<script>window.tq51mInjected=1</script>',
                      '"><img src=x onerror="window.tq51mInjected=2">'];

function print(name, copies, resolution) {
  execFileSync(process.env.TQ51M_APP, ['submit', '-u', process.env.TQ51M_APP_URI, '-d',
    process.env.TQ51M_PRINTER, '-t', name, '-o', 'media=na_govt-letter_8x10in',
    '-o', `printer-resolution=${resolution}`, '-o', `copies=${copies}`,
    process.env.TQ51M_PHOTO]);
}

async function checkJobs(browser, jobs) {
  const page = await browser.newPage();
  // Until every job has ended (the page lists each job's state in its fourth cell).
  const ended = ['Completed', 'Aborted', 'Canceled'];
  for (let tries = 0; tries < 600; tries++) {
    await page.goto(base + 'tq51m-jobs', { waitUntil: 'load' });
    const states = await page.$$eval('#tq51m-jobs tbody tr',
      (rows) => rows.map((row) => row.cells[3].textContent));
    if (states.length === jobs.length && states.every((state) => ended.includes(state)))
      break;
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
  const sizes = new Set();
  for (const job of jobs) {
    const row = `#tq51m-job-${job.id}`;
    const what = `job ${job.id}: `;
    check((await text(page, `${row} .tq51m-name`)) === job.name, what + 'name shown as text');
    const cells = await page.$$eval(`${row} td`, (tds) => tds.map((td) => td.textContent));
    check(cells[3] === 'Completed', what + 'state ' + cells[3]);
    // The finish is the default saved through the form.
    check(cells[6] === '8 x 10 in' && cells[7] === 'Matte', what + 'media and finish ' + cells);
    await page.waitForFunction((r) => [...document.querySelectorAll(r + ' img')]
      .every((img) => img.complete), {}, row);
    const thumbnails = await page.$$eval(`${row} img.tq51m-thumbnail`,
      (imgs) => imgs.map((img) => [img.naturalWidth, img.naturalHeight]));
    check(thumbnails.length === job.sheets,
          what + `${thumbnails.length} thumbnails for ${job.sheets} sheets sent`);
    // A sheet in portrait, its longer side at most 160 pixels, whatever the resolution.
    for (const [w, h] of thumbnails) {
      check(w > 0 && h > w && h <= 160, what + `thumbnail ${w} x ${h}`);
      sizes.add(`${w} x ${h}`);
    }
  }
  check(sizes.size === 1, 'thumbnails of the same sheet differ: ' + [...sizes]);
  for (const language of jobPages) {
    await page.setExtraHTTPHeaders({ 'Accept-Language': language.header });
    await page.goto(base + 'tq51m-jobs', { waitUntil: 'load' });
    const what = `jobs page, ${language.header}: `;
    const headings = await page.$$eval('#tq51m-jobs th', (ths) => ths.map((th) => th.textContent));
    check(headings.join('|') === language.headings.join('|'), what + 'headings ' + headings);
    const cells = await page.$$eval(`#tq51m-job-${jobs[0].id} td`,
      (tds) => tds.map((td) => td.textContent));
    check(cells[3] === language.state, what + 'state ' + cells[3]);
    check(cells[4] === language.reason, what + 'reason ' + cells[4]);
    check(cells[6] === language.media && cells[7] === language.finish,
          what + 'media and finish ' + cells);
    check((await page.$eval(`#tq51m-job-${jobs[0].id} img`, (e) => e.alt)) === language.sheet,
          what + 'thumbnail text');
    check((await page.$eval('[lang]', (e) => e.getAttribute('lang'))) === language.lang,
          what + 'lang attribute');
  }
  check((await page.evaluate(() => window.tq51mInjected)) === undefined,
        'a job name ran as script');
  check((await page.$$('img[src="x"]')).length === 0, 'a job name made an element');
  // Only the sheets of jobs in the history, by number.
  for (const query of ['job=../../etc/passwd&sheet=1', 'job=1&sheet=11', 'job=999&sheet=1',
                       'job=1&sheet=../1']) {
    const status = await page.evaluate((url) => fetch(url).then((r) => r.status),
                                       base + 'tq51m-sheet?' + query);
    check(status === 404, `sheet ${query}: HTTP ${status}`);
  }
  await page.close();
}

async function checkPaperEnd(browser) {
  const page = await browser.newPage();
  await page.setExtraHTTPHeaders({ 'Accept-Language': 'en' });
  await page.goto(base + 'tq51m', { waitUntil: 'load' });
  await page.evaluate(() => { window.tq51mSamePage = true; });
  execFileSync(process.env.TQ51M_EMULATOR, ['--set', 'state=01100', '--set', 'message=00102']);
  // The page's own script brings the change; the bound only stops a broken page.
  await page.waitForFunction(() => {
    const state = document.querySelector('#tq51m-state');
    return state && state.textContent === 'Paper end';
  }, { timeout: 60000 }).catch(() => {});
  check((await text(page, '#tq51m-state')) === 'Paper end', 'paper end shown');
  check((await text(page, '#tq51m-message')) ===
        'Load new media.(Replace the paper and ribbon as a set.)', 'paper end message');
  check((await page.$eval('#tq51m-picture', (e) => e.src)).endsWith('/PrtStsPaperEnd.png'),
        'paper end badge');
  check((await page.evaluate(() => window.tq51mSamePage)) === true, 'the page was reloaded');
  await page.close();
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: process.env.TQ51M_PROFILE,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    await checkLanguages(browser);
    await checkSettings(browser);
    const jobs = [];
    for (const [index, name] of hostileNames.entries()) {
      // 8 x 10 in sheets at 300 and at 600 dpi along the feed.
      print(name, index + 1, index === 0 ? '300x300dpi' : '600x600dpi');
      jobs.push({ id: index + 1, name, sheets: index + 1 });
    }
    await checkJobs(browser, jobs);
    await checkPaperEnd(browser);
  } finally {
    await browser.close();
  }
  if (failures > 0) {
    console.error(`${failures} check(s) failed`);
    process.exit(1);
  }
  console.log('web pages: all checks passed');
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
