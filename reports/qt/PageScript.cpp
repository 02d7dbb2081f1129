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
  // Where a popup that the keyboard asked for opens: at the element, in
  // the page's pixels; -1 for a click of the mouse (the popup opens at the
  // pointer). A region's place is its picture's.
  function anchorOf(element, byKeyboard) {
    if (!byKeyboard) return [-1, -1];
    var shown = element;
    if (element.tagName === 'AREA' && element.parentNode && element.parentNode.name)
      shown = document.querySelector("img[usemap='#" + element.parentNode.name + "']") || element;
    var r = shown.getBoundingClientRect();
    return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];
  }
  function send(address, shift, element, byKeyboard) {
    var at = anchorOf(element, byKeyboard);
    call('link', [address, shift, at[0], at[1]]);
  }
  document.addEventListener('click', function (e) {
    if (!e.isTrusted) return;
    // A click the keyboard made (Enter on a link) counts no mouse presses.
    var byKeyboard = e.detail === 0;
    var region = regionOf(e.target);
    if (region) {
      e.preventDefault();
      send(region.id, e.shiftKey, region, byKeyboard);
      return;
    }
    var link = linkOf(e.target);
    if (!link) return;
    var href = link.getAttribute('href');
    if (isPrivate(href)) {
      e.preventDefault();
      send(href, e.shiftKey, link, byKeyboard);
    } else if (/^https?:\/\//i.test(link.href)) {
      e.preventDefault();
      call('web', [link.href]);
    }
  }, true);
  // Pictures that a click opens or enlarges, and the regions of a picture,
  // take the focus by Tab; Enter (or Space on a picture) does what the
  // click does. The popup keys on an item link or a region open its popup.
  function clickable(node) {
    return node && node.nodeType === 1 && (node.tagName === 'IMG' || node.tagName === 'AREA') &&
           node.hasAttribute('onclick');
  }
  function opensPopup(node) {
    return regionOf(node) || (node && node.tagName === 'A' && /item%20\d+end/i.test(node.getAttribute('href') || ''));
  }
  document.addEventListener('DOMContentLoaded', function () {
    document.querySelectorAll('img[onclick], area[onclick]').forEach(function (node) {
      if (!node.hasAttribute('tabindex')) node.setAttribute('tabindex', '0');
    });
  });
  document.addEventListener('keydown', function (e) {
    if (!e.isTrusted) return;
    var target = e.target;
    var popupKey = e.key === 'ContextMenu' || (e.key === 'F10' && e.shiftKey);
    if (popupKey && opensPopup(target)) {
      e.preventDefault();
      send(regionOf(target) ? target.id : target.getAttribute('href'), false, target, true);
      return;
    }
    if (!clickable(target) || !(e.key === 'Enter' || (e.key === ' ' && target.tagName === 'IMG'))) return;
    e.preventDefault();
    if (regionOf(target)) send(target.id, e.shiftKey, target, true);
    else target.click();
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
  // No page of the program has a peer to talk to, and a peer connection
  // reaches any address past every request check: the page (and each of
  // its frames, which get this script too) has none.
  ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel', 'RTCIceCandidate',
   'RTCSessionDescription', 'RTCRtpTransceiver', 'RTCRtpSender', 'RTCRtpReceiver']
    .forEach(function (name) { try { delete window[name]; } catch (e) {} });
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
