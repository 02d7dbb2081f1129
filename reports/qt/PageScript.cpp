#include "reports/qt/PageScript.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include "reports/qt/Idispimp.h"

namespace {

// The forms the program reads itself: "http:" + backslashes, "http://" with
// a pseudo-address (word, number, "end", or "next"), and the two private
// schemes. Both scripts below start with it.
const char kPrivateTest[] = R"JS(
  function isPrivate(href) {
    if (typeof href !== 'string') return false;
    return /^http:\\/i.test(href) || /^http:\/\/[a-z%0-9]*(end|next)\/?$/i.test(href) ||
           /^qor(link|attr):/i.test(href);
  }
)JS";

// Runs in a world of its own, out of reach of the page's scripts: only it
// holds the web channel ("qorHost", CBrowserBridge), and it passes on only
// links of clicks the browser itself reported (a script's click() is not
// trusted), so a page cannot act on the program behind the user's back.
const char kHostScript[] = R"JS(
(function () {
  if (window.__qorHosted) return;
  window.__qorHosted = true;
  var host = null, pending = [];
  function call(name, args) {
    if (host) host[name].apply(host, args); else pending.push([name, args]);
  }
  function connect() {
    if (typeof qt === 'undefined' || !qt.webChannelTransport || typeof QWebChannel === 'undefined') {
      setTimeout(connect, 5);
      return;
    }
    var channel = new QWebChannel(qt.webChannelTransport, function (channel) {
      host = channel.objects.qorHost;
      var queued = pending; pending = [];
      queued.forEach(function (p) { host[p[0]].apply(host, p[1]); });
    });
    // The transport outlives the document: answers to calls the page before
    // made (a link clicked, a status text) can arrive here under ids this
    // channel never gave out. Only this channel's own answers are taken.
    var answer = channel.handleResponse;
    channel.handleResponse = function (message) {
      if (message && typeof channel.execCallbacks[message.id] === 'function') answer(message);
    };
  }
  connect();
  %PRIVATE%
  function linkOf(node) {
    for (; node && node.nodeType === 1; node = node.parentNode) {
      var tag = node.tagName;
      if ((tag === 'A' || tag === 'AREA') && node.hasAttribute('href')) return node;
    }
    return null;
  }
  // Image maps name their region's "qorattr:" link in the id and call
  // window.navigate(id) on a click.
  function regionOf(node) {
    if (!node || node.tagName !== 'AREA') return null;
    return /navigate\s*\(\s*id\s*\)/.test(node.getAttribute('onclick') || '') && isPrivate(node.id) ? node : null;
  }
  document.addEventListener('click', function (e) {
    if (!e.isTrusted) return;
    var region = regionOf(e.target);
    if (region) {
      e.preventDefault();
      call('link', [region.id, e.shiftKey]);
      return;
    }
    var link = linkOf(e.target);
    if (!link) return;
    var href = link.getAttribute('href');
    if (isPrivate(href)) {
      e.preventDefault();
      call('link', [href, e.shiftKey]);
    } else if (/^https?:\/\//i.test(link.href)) {
      e.preventDefault();
      call('web', [link.href]);
    }
  }, true);
  document.addEventListener('qor-status', function (e) { call('status', [String(e.detail)]); });
})();
)JS";

// Runs with the page's own scripts: what the generated pages expect of the
// old browser. It has no channel; the status text travels as an event.
const char kPageShims[] = R"JS(
(function () {
  if (window.__qorShims) return;
  window.__qorShims = true;
  %PRIVATE%
  // A private address is acted on by the host when the user clicked it.
  window.navigate = function (address) {
    address = String(address);
    if (!isPrivate(address)) window.location.href = address;
  };

  var statusText = '';
  Object.defineProperty(window, 'status', {
    configurable: true,
    get: function () { return statusText; },
    set: function (v) {
      statusText = String(v);
      document.dispatchEvent(new CustomEvent('qor-status', { detail: statusText }));
    }
  });

  var style = CSSStyleDeclaration.prototype;
  [['pixelTop', 'top'], ['pixelLeft', 'left'], ['pixelWidth', 'width'], ['pixelHeight', 'height']]
    .forEach(function (p) {
      if (p[0] in style) return;
      Object.defineProperty(style, p[0], {
        configurable: true,
        get: function () { return parseInt(this[p[1]], 10) || 0; },
        set: function (v) { this[p[1]] = Math.round(Number(v) || 0) + 'px'; }
      });
    });

  // The old alpha filter object: opacity in percent.
  if (!('filters' in HTMLElement.prototype)) {
    Object.defineProperty(HTMLElement.prototype, 'filters', {
      configurable: true,
      get: function () {
        var element = this;
        var alpha = {
          get opacity() { return Math.round((parseFloat(getComputedStyle(element).opacity) || 0) * 100); },
          set opacity(v) { element.style.opacity = String((Number(v) || 0) / 100); }
        };
        return { alpha: alpha, 'DXImageTransform.Microsoft.Alpha': alpha, item: function () { return alpha; } };
      }
    });
  }

  // window.external: property names beginning "xx" read the host's value.
  var externalValue = %EXTERNAL%;
  var external = new Proxy({}, {
    get: function (target, name) {
      if (typeof name !== 'string' || name.substring(0, 2) !== 'xx') return undefined;
      return externalValue;
    }
  });
  try {
    Object.defineProperty(window, 'external', { configurable: true, get: function () { return external; } });
  } catch (e) {}
})();
)JS";

QString WithPrivateTest(const char* script) {
  return QString::fromUtf8(script).replace(QStringLiteral("%PRIVATE%"), QString::fromUtf8(kPrivateTest));
}

QString ExternalValueLiteral() {
  const QString value = CImpIDispatch::Application().Value();
  return QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{value}).toJson(QJsonDocument::Compact))
      .mid(1)
      .chopped(1);
}

QString WebChannelLibrary() {
  QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void AddScript(QWebEnginePage& page, const QString& name, const QString& source, quint32 world) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(world);
  script.setRunsOnSubFrames(true);
  page.scripts().insert(script);
}

}  // namespace

QString QorHostScript() { return WithPrivateTest(kHostScript); }

QString QorPageShims() {
  return WithPrivateTest(kPageShims).replace(QStringLiteral("%EXTERNAL%"), ExternalValueLiteral());
}

void InstallQorPageScripts(QWebEnginePage& page) {
  if (!page.scripts().find(QStringLiteral("qor-page")).isEmpty()) return;
  AddScript(page, QStringLiteral("qor-webchannel"), WebChannelLibrary(), kQorHostWorld);
  AddScript(page, QStringLiteral("qor-page"), QorHostScript(), kQorHostWorld);
  AddScript(page, QStringLiteral("qor-shims"), QorPageShims(), QWebEngineScript::MainWorld);
}
